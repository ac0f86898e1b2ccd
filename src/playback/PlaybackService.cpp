#include "playback/PlaybackService.h"

#include "playback/PlaybackEngine.h"

CPlaybackService::CPlaybackService(QObject* parent) : QObject(parent) {}

CPlaybackService::~CPlaybackService()
{
    // The engine's signals must not reach a service that is half gone.
    if (m_pEngine)
        disconnect(m_pEngine.get(), nullptr, this, nullptr);
}

void CPlaybackService::SetEngine(std::unique_ptr<CPlaybackEngine> pEngine)
{
    if (m_pEngine)
        disconnect(m_pEngine.get(), nullptr, this, nullptr);
    m_pEngine = std::move(pEngine);
    if (!m_pEngine)
        return;
    connect(m_pEngine.get(), &CPlaybackEngine::StatusChanged, this, &CPlaybackService::OnStatusInput);
    connect(m_pEngine.get(), &CPlaybackEngine::TitleChanged, this, &CPlaybackService::OnStatusInput);
}

void CPlaybackService::SetChannel(const CChannel& channel)
{
    m_channel = channel;
    emit ChannelChanged(m_channel);
}

void CPlaybackService::SetNote(ENote note, const QString& strNote)
{
    m_notes[size_t(note)] = strNote;
    OnStatusInput();
}

QString CPlaybackService::StatusWithTitle(EPlayerState state, const QString& strStatus, const QString& strTitle)
{
    if (state == EPlayerState::Playing && !strTitle.isEmpty())
        return strStatus + QStringLiteral(": ") + strTitle;
    return strStatus;
}

QString CPlaybackService::StatusText() const
{
    QString strText = m_pEngine ? StatusWithTitle(m_pEngine->State(), m_pEngine->Status(), m_pEngine->Title())
                                : QString();
    for (const QString& strNote : m_notes)
        if (!strNote.isEmpty())
            strText += QStringLiteral(" | ") + strNote;
    return strText;
}

void CPlaybackService::OnStatusInput()
{
    emit StatusTextChanged(StatusText());
}
