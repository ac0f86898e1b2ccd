#include "player/Explorer1.h"

CExplorer1::CExplorer1(QWidget* parent) : CWebPane(parent) {}

CExplorer1::~CExplorer1() = default;

void CExplorer1::Navigate2(const QString& strUrl)
{
    CWebPane::Navigate2(QUrl(strUrl));
}
