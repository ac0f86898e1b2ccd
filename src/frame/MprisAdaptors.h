// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The two interfaces of the media player object on the session bus (org.mpris.MediaPlayer2 and
// org.mpris.MediaPlayer2.Player), exported by CMprisService. They only forward to it.
#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

class CMprisService;

class CMprisRootAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    explicit CMprisRootAdaptor(CMprisService* pService);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const;
    QString DesktopEntry() const;
    // The program plays the channels of its list, not addresses handed to it.
    QStringList SupportedUriSchemes() const { return {}; }
    QStringList SupportedMimeTypes() const { return {}; }

public slots:
    void Raise();
    void Quit();

private:
    CMprisService* m_pService;
};

class CMprisPlayerAdaptor : public QDBusAbstractAdaptor, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanControlPlayer)
    Q_PROPERTY(bool CanGoPrevious READ CanControlPlayer)
    Q_PROPERTY(bool CanPlay READ CanControlPlayer)
    Q_PROPERTY(bool CanPause READ CanControlPlayer)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    explicit CMprisPlayerAdaptor(CMprisService* pService);

    QString PlaybackStatus() const;
    double Rate() const { return 1.0; }
    QVariantMap Metadata() const;
    double Volume() const;
    void SetVolume(double dVolume);
    // Where a buffered stream plays on its buffer's line; live streams have no position (0).
    qlonglong Position() const;
    bool CanControlPlayer() const;
    bool CanSeek() const;
    bool CanControl() const { return true; }

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong nOffset);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong nPosition);
    void OpenUri(const QString& strUri);

signals:
    void Seeked(qlonglong nPosition);

private:
    CMprisService* m_pService;
};
