#pragma once
// Tells the program's now-playing state what the player view's media player does: the channel it
// opens, the stream's title and whether sound comes out. Lives as long as the view.
#include <QObject>

class CNowPlaying;
class CWMPPlayer4;

class CNowPlayingReporter : public QObject
{
    Q_OBJECT
public:
    CNowPlayingReporter(CWMPPlayer4* pPlayer, CNowPlaying* pNowPlaying, QObject* parent);
    // The player goes with the view: nothing plays any more.
    ~CNowPlayingReporter() override;

    // Called with the channel's name and address just before the address goes to the player.
    void OpenChannel(const QString& strName, const QString& strUrl);

private:
    void Update();

    CWMPPlayer4* m_pPlayer;
    CNowPlaying* m_pNowPlaying;
};
