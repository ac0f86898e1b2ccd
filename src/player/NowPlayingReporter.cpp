#include "player/NowPlayingReporter.h"

#include "player/NowPlaying.h"
#include "player/WMPPlayer4.h"

CNowPlayingReporter::CNowPlayingReporter(CWMPPlayer4* pPlayer, CNowPlaying* pNowPlaying, QObject* parent)
    : QObject(parent), m_pPlayer(pPlayer), m_pNowPlaying(pNowPlaying)
{
    connect(m_pPlayer, &CWMPPlayer4::StatusChange, this, &CNowPlayingReporter::Update);
    connect(m_pPlayer, &CWMPPlayer4::StreamTitleChange, this, &CNowPlayingReporter::Update);
    m_pNowPlaying->SetPlayerPresent(true);
    Update();
}

CNowPlayingReporter::~CNowPlayingReporter()
{
    m_pNowPlaying->Reset();
}

void CNowPlayingReporter::OpenChannel(const QString& strName, const QString& strUrl)
{
    m_pNowPlaying->OpenChannel(strName, strUrl);
}

void CNowPlayingReporter::Update()
{
    m_pNowPlaying->SetPlaying(m_pPlayer->IsPlaying());
    m_pNowPlaying->SetStreamTitle(m_pPlayer->StreamTitle());
}
