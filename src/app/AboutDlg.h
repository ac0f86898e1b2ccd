#pragma once
// The About box: the icon, the version and the support address. It has no OK button; Esc or the
// close box closes it.
#include <QDialog>

class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
