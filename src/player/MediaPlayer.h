#pragma once
// What the player view needs of the embedded media player: set the address (which starts playing),
// stop, read the status text, and hear when that text changes. CWMPPlayer4 is the real one.
#include <QString>
#include <functional>

class CWMPControls
{
public:
    virtual ~CWMPControls() = default;
    virtual void stop() = 0;
};

class CMediaPlayer
{
public:
    virtual ~CMediaPlayer() = default;
    // Closes whatever was open and starts playing strUrl; the same address again restarts it.
    virtual void put_URL(const QString& strUrl) = 0;
    virtual CWMPControls& get_controls() = 0;
    // A short human-readable text of the player's state.
    virtual QString get_status() const = 0;
    // Raised whenever the status text changes; the handler reads get_status().
    std::function<void()> m_onStatusChange;
};
