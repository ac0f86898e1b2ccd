#pragma once
// Command elements (ribbon buttons, check boxes, menu items) show the enabled and checked state that
// the command routing reports. The question is asked whenever the GUI thread's event loop is about
// to wait for more events, so an idle program does no work and no timer runs.
#include <QObject>
#include <functional>
#include <vector>

class CIdleUpdate : public QObject
{
    Q_OBJECT
public:
    // Watches the event loop of the application's thread; the application owns the one instance.
    explicit CIdleUpdate(QObject* parent = nullptr);

    // Runs fn at every idle moment until owner is destroyed.
    void Add(QObject* owner, std::function<void()> fn);
    // Ends owner's updates before its destruction has gone too far to run them.
    void Remove(QObject* owner);
    // Runs every registered update now (also used by tests in place of waiting for idle).
    void RunNow();

private:
    void OnAboutToBlock();

    struct Entry
    {
        QObject* owner;
        std::function<void()> fn;
    };
    std::vector<Entry> m_entries;
    bool m_bRunning = false;
};
