<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BuiltInPage</name>
    <message>
        <source>en</source>
        <comment>HTML lang attribute of this page</comment>
        <translation>de</translation>
    </message>
    <message>
        <source>Internet radio and TV player for Linux, version %1</source>
        <translation>Internetradio- und Fernsehplayer für Linux, Version %1</translation>
    </message>
    <message>
        <source>The site %1 cannot be reached right now.</source>
        <translation>Die Seite %1 ist gerade nicht erreichbar.</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>What Vedrix is</source>
        <translation>Was Vedrix ist</translation>
    </message>
    <message>
        <source>Vedrix plays internet radio and TV channels on your desktop. It waits in the notification area, plays your last channel again and answers to the media keys and to hot keys.</source>
        <translation>Vedrix spielt Internetradio und Fernsehsender auf Ihrem Desktop. Es wartet im Benachrichtigungsbereich, spielt den zuletzt gehörten Sender wieder ab und hört auf die Medientasten und auf Tastenkürzel.</translation>
    </message>
    <message>
        <source>Getting channels</source>
        <translation>Sender finden</translation>
    </message>
    <message>
        <source>%1 on the %2 tab builds the channel list from the public station directory and public TV playlists, in the languages checked under %3.</source>
        <translation>%1 auf der Registerkarte %2 stellt die Senderliste aus dem öffentlichen Senderverzeichnis und öffentlichen TV-Wiedergabelisten zusammen, in den Sprachen, die unter %3 angehakt sind.</translation>
    </message>
    <message>
        <source>Your own stations go into %1: %2 searches the public station directory, and the menu beside it adds a station by its address (%3) or reads a playlist file (%4).</source>
        <translation>Ihre eigenen Sender kommen in %1: %2 durchsucht das öffentliche Senderverzeichnis, und das Menü daneben fügt einen Sender über seine Adresse hinzu (%3) oder liest eine Wiedergabeliste ein (%4).</translation>
    </message>
    <message>
        <source>Where Vedrix comes from</source>
        <translation>Woher Vedrix kommt</translation>
    </message>
    <message>
        <source>Vedrix is built from its source tree with CMake and Qt: the README there says how to build, test and install it, and %1 describes the installed program.</source>
        <translation>Vedrix wird mit CMake und Qt aus seinem Quellbaum gebaut: Die README-Datei dort beschreibt, wie man es baut, testet und installiert, und %1 beschreibt das installierte Programm.</translation>
    </message>
</context>
<context>
    <name>CAudioOutput</name>
    <message>
        <source>Output device not found: system default used</source>
        <translation>Ausgabegerät nicht gefunden: Standardgerät des Systems verwendet</translation>
    </message>
</context>
<context>
    <name>CDirectoryResultsModel</name>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Tags</source>
        <translation>Schlagwörter</translation>
    </message>
</context>
<context>
    <name>CHotKeyCtrl</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Ctrl + </source>
        <translation>Strg + </translation>
    </message>
    <message>
        <source>Shift + </source>
        <translation>Umschalt + </translation>
    </message>
    <message>
        <source>Alt + </source>
        <translation>Alt + </translation>
    </message>
</context>
<context>
    <name>CListenBuffer</name>
    <message>
        <source>The stream ended.</source>
        <translation>Der Stream ist zu Ende.</translation>
    </message>
    <message>
        <source>Nothing of this stream is buffered.</source>
        <translation>Von diesem Stream ist nichts zwischengespeichert.</translation>
    </message>
    <message>
        <source>This part of the stream is no longer in the buffer.</source>
        <translation>Dieser Teil des Streams ist nicht mehr im Zwischenspeicher.</translation>
    </message>
</context>
<context>
    <name>CMyStations</name>
    <message>
        <source>This is not an internet stream address. My Stations takes addresses such as http://, https://, rtsp:// or mms:// only.</source>
        <translation>Das ist keine Adresse eines Internet-Streams. „Meine Sender“ nimmt nur Adressen wie http://, https://, rtsp:// oder mms:// auf.</translation>
    </message>
    <message>
        <source>This station is in My Stations already.</source>
        <translation>Dieser Sender ist bereits in „Meine Sender“.</translation>
    </message>
    <message>
        <source>This station is no longer in My Stations.</source>
        <translation>Dieser Sender ist nicht mehr in „Meine Sender“.</translation>
    </message>
    <message>
        <source>A station needs a name.</source>
        <translation>Ein Sender braucht einen Namen.</translation>
    </message>
    <message>
        <source>My Stations could not be saved. The list is unchanged.</source>
        <translation>„Meine Sender“ konnte nicht gespeichert werden. Die Liste ist unverändert.</translation>
    </message>
</context>
<context>
    <name>COutputDeviceChoice</name>
    <message>
        <source>System default</source>
        <translation>Standard des Systems</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1 (nicht verbunden)</translation>
    </message>
</context>
<context>
    <name>CPlaybackService</name>
    <message>
        <source>%1 behind live</source>
        <translation>%1 hinter Live</translation>
    </message>
</context>
<context>
    <name>CPlayerControlBar</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Ton an</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Back to live</source>
        <translation>Zurück zum Live-Programm</translation>
    </message>
</context>
<context>
    <name>CRadioSettingsView</name>
    <message>
        <source>System Wide Hot Keys</source>
        <translation>Systemweite Tastenkürzel</translation>
    </message>
    <message>
        <source>Assign</source>
        <translation>Zuweisen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Note : Assign System Wide Hot Keys and then Switch to Radio Tab to use the System Wide Hotkeys.</source>
        <translation>Hinweis: Weisen Sie die systemweiten Tastenkürzel zu und wechseln Sie dann zum Player, um sie zu nutzen.</translation>
    </message>
    <message>
        <source>System-wide hot keys are not available on this desktop.</source>
        <translation>Systemweite Tastenkürzel sind auf diesem Desktop nicht verfügbar.</translation>
    </message>
    <message>
        <source>the desktop bound no key</source>
        <translation>der Desktop vergab keine Taste</translation>
    </message>
    <message>
        <source>the desktop assigned %1</source>
        <translation>der Desktop vergab %1</translation>
    </message>
    <message>
        <source>Play &amp;Next Channel :</source>
        <translation>&amp;Nächster Sender:</translation>
    </message>
    <message>
        <source>Play P&amp;revious Channel :</source>
        <translation>&amp;Vorheriger Sender:</translation>
    </message>
    <message>
        <source>&amp;Play :</source>
        <translation>&amp;Abspielen:</translation>
    </message>
    <message>
        <source>&amp;Stop :</source>
        <translation>&amp;Stopp:</translation>
    </message>
</context>
<context>
    <name>CScreenSaverInhibitor</name>
    <message>
        <source>Playing a picture</source>
        <translation>Ein Video wird wiedergegeben</translation>
    </message>
</context>
<context>
    <name>CSleepTimer</name>
    <message>
        <source>Sleep in %1 min</source>
        <translation>Stopp in %1 Min.</translation>
    </message>
    <message>
        <source>Sleep at the end of the song</source>
        <translation>Stopp am Ende des Titels</translation>
    </message>
</context>
<context>
    <name>CSongHistoryControl</name>
    <message>
        <source>No songs yet</source>
        <translation>Noch keine Titel</translation>
    </message>
    <message>
        <source>Song History...</source>
        <translation>Titelverlauf...</translation>
    </message>
</context>
<context>
    <name>CSongHistoryWindow</name>
    <message>
        <source>Song History</source>
        <translation>Titelverlauf</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Sender</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Songs</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Save Song</source>
        <translation>Titel speichern</translation>
    </message>
    <message>
        <source>Save the selected song from the buffer of the channel that plays</source>
        <translation>Den gewählten Titel aus dem Puffer des laufenden Senders speichern</translation>
    </message>
</context>
<context>
    <name>CStationDirectory</name>
    <message>
        <source>No server of the station directory could be found.</source>
        <translation>Es wurde kein Server des Senderverzeichnisses gefunden.</translation>
    </message>
    <message>
        <source>The station directory answered with an error (HTTP %1).</source>
        <translation>Das Senderverzeichnis hat mit einem Fehler geantwortet (HTTP %1).</translation>
    </message>
    <message>
        <source>The station directory could not be reached: %1</source>
        <translation>Das Senderverzeichnis ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The station directory sent an answer that could not be read.</source>
        <translation>Die Antwort des Senderverzeichnisses konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The station directory did not answer in %1 seconds.</source>
        <translation>Das Senderverzeichnis hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>The station directory sent an answer longer than %1 MB; the search was stopped.</source>
        <translation>Das Senderverzeichnis hat eine Antwort mit mehr als %1 MB gesendet; die Suche wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>CStreamRecorder</name>
    <message>
        <source>Recording %1</source>
        <translation>Aufnahme: %1</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created, so nothing is recorded.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden, daher wird nichts aufgenommen.</translation>
    </message>
    <message>
        <source>Nothing can be written to the folder %1, so nothing is recorded.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden, daher wird nichts aufgenommen.</translation>
    </message>
    <message>
        <source>The file %1 cannot be written, so the recording has stopped.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden, daher wurde die Aufnahme beendet.</translation>
    </message>
    <message>
        <source>The recording has stopped: the file could not be written (%1). The disk may be full.</source>
        <translation>Die Aufnahme wurde beendet: Die Datei konnte nicht geschrieben werden (%1). Möglicherweise ist der Datenträger voll.</translation>
    </message>
    <message>
        <source>The disk is full, so the recording has stopped.</source>
        <translation>Der Datenträger ist voll, daher wurde die Aufnahme beendet.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created, so the song is not saved.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden, daher wird der Titel nicht gespeichert.</translation>
    </message>
    <message>
        <source>Nothing can be written to the folder %1, so the song is not saved.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden, daher wird der Titel nicht gespeichert.</translation>
    </message>
    <message>
        <source>The song could not be saved in the file %1 (%2). The disk may be full.</source>
        <translation>Der Titel konnte nicht in der Datei %1 gespeichert werden (%2). Möglicherweise ist der Datenträger voll.</translation>
    </message>
    <message>
        <source>Saved from the start of the buffer: %1</source>
        <translation>Ab dem Anfang des Puffers gespeichert: %1</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>CWebPane</name>
    <message>
        <source>Web pages cannot be shown: %1</source>
        <translation>Webseiten können nicht angezeigt werden: %1</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>About Vedrix</source>
        <translation>Über Vedrix</translation>
    </message>
    <message>
        <source>Vedrix, Version 1.0</source>
        <translation>Vedrix, Version 1.0</translation>
    </message>
    <message>
        <source>Contact Us : </source>
        <translation>Kontakt: </translation>
    </message>
    <message>
        <source>Licensed under the GNU GPL, version 3 or later</source>
        <translation>Lizenziert unter der GNU GPL, Version 3 oder neuer</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Downloading File...</source>
        <translation>Datei wird heruntergeladen...</translation>
    </message>
    <message>
        <source>Add Station by Address</source>
        <translation>Sender über Adresse hinzufügen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>%1 (%2 of %3 sources)</source>
        <translation>%1 (%2 von %3 Quellen)</translation>
    </message>
</context>
<context>
    <name>Directory</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Schlagwort</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>&amp;Add to My Stations</source>
        <translation>Zu „Meine Sender“ &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Station Directory</source>
        <translation>Senderverzeichnis</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Tag:</source>
        <translation>Schlag&amp;wort:</translation>
    </message>
    <message>
        <source>&amp;Country:</source>
        <translation>&amp;Land:</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>S&amp;prache:</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>No station matches.</source>
        <translation>Kein Sender gefunden.</translation>
    </message>
    <message>
        <source>1 station found.</source>
        <translation>1 Sender gefunden.</translation>
    </message>
    <message>
        <source>%1 stations found.</source>
        <translation>%1 Sender gefunden.</translation>
    </message>
    <message>
        <source>The station directory could not be searched: %1</source>
        <translation>Das Senderverzeichnis konnte nicht durchsucht werden: %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>HotKeys</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Play Next Channel</source>
        <translation>Nächsten Sender abspielen</translation>
    </message>
    <message>
        <source>Play Previous Channel</source>
        <translation>Vorherigen Sender abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1 cannot start: it could not open the channel through which it finds a copy of itself that is already running, so it cannot make sure that it runs only once.

%2</source>
        <translation>%1 kann nicht starten: Der Kanal, über den das Programm eine bereits laufende Kopie von sich findet, ließ sich nicht öffnen. Daher kann es nicht sicherstellen, dass es nur einmal läuft.

%2</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The file %1 is not a channel list: it is %2, and a channel list is at most %3.</source>
        <translation>Die Datei %1 ist keine Senderliste: Sie ist %2 groß, eine Senderliste höchstens %3.</translation>
    </message>
    <message>
        <source>The file %1 could not be copied to %2.</source>
        <translation>Die Datei %1 konnte nicht nach %2 kopiert werden.</translation>
    </message>
    <message>
        <source>Sr No</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Loading Channels List Now...</source>
        <translation>Senderliste wird geladen...</translation>
    </message>
    <message>
        <source>Failed to Update Load Channels List.

Please make sure you Computer is connected to Internet.

In case the problem persists please do write to us at </source>
        <translation>Die Senderliste konnte nicht geladen werden.

Bitte stellen Sie sicher, dass Ihr Computer mit dem Internet verbunden ist.

Falls das Problem bestehen bleibt, schreiben Sie uns bitte an </translation>
    </message>
    <message>
        <source>Current Status</source>
        <translation>Aktueller Status</translation>
    </message>
    <message>
        <source>This Pane Displays Current Status</source>
        <translation>Dieser Bereich zeigt den aktuellen Status</translation>
    </message>
    <message>
        <source>Get More Software Utilities</source>
        <translation>Weitere Programme holen</translation>
    </message>
    <message>
        <source>Visit Palomer</source>
        <translation>Palomer besuchen</translation>
    </message>
    <message>
        <source>Download More Software Utilities</source>
        <translation>Weitere Programme herunterladen</translation>
    </message>
    <message>
        <source>Visit us at Palomer</source>
        <translation>Besuchen Sie uns bei Palomer</translation>
    </message>
    <message>
        <source>Please do drop us a line at </source>
        <translation>Schreiben Sie uns gern an </translation>
    </message>
    <message>
        <source>Contact Us</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Filter by name, description or language</source>
        <translation>Nach Name, Beschreibung oder Sprache filtern</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Display Non Working Channels</source>
        <translation>Nicht funktionierende Sender anzeigen</translation>
    </message>
    <message>
        <source>The channel list could not be refreshed; the list of %1 is shown.</source>
        <translation>Die Senderliste konnte nicht aktualisiert werden; die Liste vom %1 wird angezeigt.</translation>
    </message>
    <message>
        <source>No channels yet. Connect to the internet and choose Refresh Channels List, or add stations of your own in My Stations: Add Station by Address, Import Playlist or the Station Directory.</source>
        <translation>Noch keine Sender. Verbinden Sie sich mit dem Internet und wählen Sie „Senderliste aktualisieren“, oder fügen Sie unter „Meine Sender“ eigene Sender hinzu: „Sender über Adresse hinzufügen“, „Wiedergabeliste importieren“ oder das Senderverzeichnis.</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Sender</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>The channel list could not be refreshed: it could not be saved (%1).</source>
        <translation>Die Senderliste konnte nicht aktualisiert werden: Sie konnte nicht gespeichert werden (%1).</translation>
    </message>
    <message>
        <source>The program could not be set to start at log-in: the entry could not be written.</source>
        <translation>Das Programm konnte nicht für den Start bei der Anmeldung eingerichtet werden: Der Eintrag konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>A setting could not be saved: the settings file cannot be written.</source>
        <translation>Eine Einstellung konnte nicht gespeichert werden: Die Einstellungsdatei kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>MyStations</name>
    <message>
        <source>My Stations</source>
        <translation>Meine Sender</translation>
    </message>
    <message>
        <source>Playlists (*.m3u *.m3u8 *.pls *.xspf);;M3U playlist (*.m3u *.m3u8);;PLS playlist (*.pls);;XSPF playlist (*.xspf);;All files (*)</source>
        <translation>Wiedergabelisten (*.m3u *.m3u8 *.pls *.xspf);;M3U-Wiedergabeliste (*.m3u *.m3u8);;PLS-Wiedergabeliste (*.pls);;XSPF-Wiedergabeliste (*.xspf);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Sr No</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Sender</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Add to My Stations</source>
        <translation>Zu „Meine Sender“ hinzufügen</translation>
    </message>
    <message>
        <source>Add Station by Address...</source>
        <translation>Sender über Adresse hinzufügen...</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Filter...	Ctrl+F</source>
        <translation>Filtern...	Strg+F</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was added to My Stations.</source>
        <translation>„%1“ wurde zu „Meine Sender“ hinzugefügt.</translation>
    </message>
    <message>
        <source>Rename Station</source>
        <translation>Sender umbenennen</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>1 station was added to My Stations.</source>
        <translation>1 Sender wurde zu „Meine Sender“ hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 stations were added to My Stations.</source>
        <translation>%1 Sender wurden zu „Meine Sender“ hinzugefügt.</translation>
    </message>
    <message>
        <source>
1 entry was refused: it is not an internet stream address.</source>
        <translation>
1 Eintrag wurde abgelehnt: Er ist keine Adresse eines Internet-Streams.</translation>
    </message>
    <message>
        <source>
%1 entries were refused: they are not internet stream addresses.</source>
        <translation>
%1 Einträge wurden abgelehnt: Sie sind keine Adressen von Internet-Streams.</translation>
    </message>
    <message>
        <source>
%1 were in My Stations already.</source>
        <translation>
%1 waren bereits in „Meine Sender“.</translation>
    </message>
    <message>
        <source>
These files could not be read: %1</source>
        <translation>
Diese Dateien konnten nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Import Playlist</source>
        <translation>Wiedergabeliste importieren</translation>
    </message>
    <message>
        <source>Export Playlist</source>
        <translation>Wiedergabeliste exportieren</translation>
    </message>
    <message>
        <source>M3U playlist (*.m3u)</source>
        <translation>M3U-Wiedergabeliste (*.m3u)</translation>
    </message>
    <message>
        <source>PLS playlist (*.pls)</source>
        <translation>PLS-Wiedergabeliste (*.pls)</translation>
    </message>
    <message>
        <source>XSPF playlist (*.xspf)</source>
        <translation>XSPF-Wiedergabeliste (*.xspf)</translation>
    </message>
    <message>
        <source>My Stations.m3u</source>
        <translation>Meine Sender.m3u</translation>
    </message>
    <message>
        <source>The playlist could not be written to %1: %2</source>
        <translation>Die Wiedergabeliste konnte nicht nach %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>Ribbon</name>
    <message>
        <source>Online Channel Player</source>
        <translation>&amp;Online-Player</translation>
    </message>
    <message>
        <source>Channel Controls</source>
        <translation>Sendersteuerung</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>Play Next</source>
        <translation>&amp;Nächster</translation>
    </message>
    <message>
        <source>Play Previous</source>
        <translation>&amp;Vorheriger</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Channel Management</source>
        <translation>Senderverwaltung</translation>
    </message>
    <message>
        <source>Refresh Channels List</source>
        <translation>Sender&amp;liste aktualisieren</translation>
    </message>
    <message>
        <source>Channel Filters</source>
        <translation>Senderfilter</translation>
    </message>
    <message>
        <source>English</source>
        <translation>&amp;Englisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>&amp;Deutsch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>&amp;Französisch</translation>
    </message>
    <message>
        <source>Bulgarian</source>
        <translation>&amp;Bulgarisch</translation>
    </message>
    <message>
        <source>Romanian</source>
        <translation>&amp;Rumänisch</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>&amp;Chinesisch</translation>
    </message>
    <message>
        <source>Indian</source>
        <translation>&amp;Indisch</translation>
    </message>
    <message>
        <source>Application Management</source>
        <translation>Programmverwaltung</translation>
    </message>
    <message>
        <source>Display Radio Channels</source>
        <translation>Radiosender an&amp;zeigen</translation>
    </message>
    <message>
        <source>Display TV Channels</source>
        <translation>TV-Sender anzei&amp;gen</translation>
    </message>
    <message>
        <source>Hide to System Tray</source>
        <translation>In Infobereich a&amp;usblenden</translation>
    </message>
    <message>
        <source>My Stations</source>
        <translation>Meine Sender</translation>
    </message>
    <message>
        <source>Directory...</source>
        <translation>Katalog…</translation>
    </message>
    <message>
        <source>Station Directory...</source>
        <translation>Senderverzeichnis...</translation>
    </message>
    <message>
        <source>Add to My Stations</source>
        <translation>Zu „Meine Sender“ hinzufügen</translation>
    </message>
    <message>
        <source>Add Station by Address...</source>
        <translation>Sender über Adresse hinzufügen...</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Import Playlist...</source>
        <translation>Wiedergabeliste importieren...</translation>
    </message>
    <message>
        <source>Export Playlist...</source>
        <translation>Wiedergabeliste exportieren...</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Eins&amp;tellungen</translation>
    </message>
    <message>
        <source>Radio Control</source>
        <translation>Radiosteuerung</translation>
    </message>
    <message>
        <source>Auto Startup with the Desktop</source>
        <translation>Autostart mit dem &amp;Desktop</translation>
    </message>
    <message>
        <source>Play Last Channel Automatically</source>
        <translation>&amp;Letzten Sender automatisch abspielen</translation>
    </message>
    <message>
        <source>Show Song Notifications</source>
        <translation>&amp;Benachrichtigung bei neuem Titel</translation>
    </message>
    <message>
        <source>Software Downloads</source>
        <translation>Soft&amp;ware-Downloads</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Open In New Window</source>
        <translation>&amp;In neuem Fenster öffnen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>More Softwares</source>
        <translation>&amp;Mehr Software</translation>
    </message>
    <message>
        <source>Sleep Timer</source>
        <translation>Sleep-Timer</translation>
    </message>
    <message>
        <source>Stop playing after a while, or at the end of the current song.</source>
        <translation>Die Wiedergabe nach einer Weile oder am Ende des laufenden Titels beenden.</translation>
    </message>
    <message>
        <source>Change Application Skin</source>
        <translation>Aussehen der Anwendung ändern</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Output Device</source>
        <translation>Ausgabe&amp;gerät</translation>
    </message>
    <message>
        <source>Choose the device that plays the sound.</source>
        <translation>Das Gerät wählen, das den Ton wiedergibt.</translation>
    </message>
    <message>
        <source>Listen Back</source>
        <translation>Zurückhören</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Save Song</source>
        <translation>Titel speichern</translation>
    </message>
    <message>
        <source>Previous Song</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Next Song</source>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Windows &amp;2000</source>
        <translation>Windows &amp;2000</translation>
    </message>
    <message>
        <source>Office &amp;XP</source>
        <translation>Office &amp;XP</translation>
    </message>
    <message>
        <source>&amp;Windows XP</source>
        <translation>&amp;Windows XP</translation>
    </message>
    <message>
        <source>Office 200&amp;3</source>
        <translation>Office 200&amp;3</translation>
    </message>
    <message>
        <source>Visual Studio.NET 200&amp;5</source>
        <translation>Visual Studio.NET 200&amp;5</translation>
    </message>
    <message>
        <source>&amp;Blue Style</source>
        <translation>&amp;Blauer Stil</translation>
    </message>
    <message>
        <source>B&amp;lack Style</source>
        <translation>&amp;Schwarzer Stil</translation>
    </message>
    <message>
        <source>&amp;Silver Style</source>
        <translation>S&amp;ilberner Stil</translation>
    </message>
    <message>
        <source>&amp;Aqua Style</source>
        <translation>&amp;Aqua-Stil</translation>
    </message>
    <message>
        <source>Office 2007 (%1)</source>
        <translation>Office 2007 (%1)</translation>
    </message>
</context>
<context>
    <name>SleepTimer</name>
    <message>
        <source>15 Minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <source>30 Minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>60 Minutes</source>
        <translation>60 Minuten</translation>
    </message>
    <message>
        <source>90 Minutes</source>
        <translation>90 Minuten</translation>
    </message>
    <message>
        <source>End of Current Song</source>
        <translation>Ende des laufenden Titels</translation>
    </message>
    <message>
        <source>Cancel Sleep Timer</source>
        <translation>Sleep-Timer abbrechen</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>System Tray Menu</source>
        <translation>Menü im Infobereich</translation>
    </message>
    <message>
        <source>Click Here to Change Application Skin</source>
        <translation>Hier klicken, um das Aussehen der Anwendung zu ändern</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Modify Visual Style</source>
        <translation>Darstellung ändern</translation>
    </message>
    <message>
        <source>Choose one of the Office 2007 themes</source>
        <translation>Eines der Office-2007-Designs wählen</translation>
    </message>
    <message>
        <source>Press this button to Refresh Radio Channels List.
Refresh Radio Channels List</source>
        <translation>Klicken Sie hier, um die Liste der Radiosender zu aktualisieren.
Radiosenderliste aktualisieren</translation>
    </message>
    <message>
        <source>Press this button to Stop currently playing radio channel.
Stop Radio</source>
        <translation>Klicken Sie hier, um den laufenden Radiosender zu stoppen.
Radio stoppen</translation>
    </message>
    <message>
        <source>Press this button to play currently selected Radio Channel
Play Radio</source>
        <translation>Klicken Sie hier, um den ausgewählten Radiosender abzuspielen.
Radio abspielen</translation>
    </message>
    <message>
        <source>Press this button to play Next Radio Station from the list or press F9 to Play Next Channel when this Window is Active.
Play Next Radio Channel</source>
        <translation>Klicken Sie hier, um den nächsten Radiosender der Liste abzuspielen, oder drücken Sie F9, solange dieses Fenster aktiv ist.
Nächsten Radiosender abspielen</translation>
    </message>
    <message>
        <source>Press this button to play Previous Radio Station from the list or Press F8 to Play Previous Channel from the list when this Window is Active.
Play Previous Radio Channel</source>
        <translation>Klicken Sie hier, um den vorherigen Radiosender der Liste abzuspielen, oder drücken Sie F8, solange dieses Fenster aktiv ist.
Vorherigen Radiosender abspielen</translation>
    </message>
    <message>
        <source>Start this Application when the Desktop Starts and Keep it in System Tray.
Start Application at the Desktop Startup</source>
        <translation>Startet dieses Programm mit dem Desktop und hält es im Infobereich bereit.
Programm beim Start des Desktops starten</translation>
    </message>
    <message>
        <source>Play Last Channel Automatically on Application Startup.
Auto Play</source>
        <translation>Spielt beim Programmstart automatisch den zuletzt gehörten Sender.
Automatisch abspielen</translation>
    </message>
    <message>
        <source>Hide Main Application Window. You can Restore Window using System Tray Menu of the Application.
Hide Window to System Tray</source>
        <translation>Blendet das Hauptfenster aus. Über das Menü des Programms im Infobereich holen Sie es zurück.
Fenster in den Infobereich ausblenden</translation>
    </message>
    <message>
        <source>Refresh the Channels List below and Hide or Display Radio Channels in the List.
Display or Hide Radio Channels</source>
        <translation>Aktualisiert die Senderliste unten und blendet die Radiosender darin ein oder aus.
Radiosender ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Refresh the Channels List below and Hide or Display TV Channels in the List.
Display or Hide TV Channels</source>
        <translation>Aktualisiert die Senderliste unten und blendet die TV-Sender darin ein oder aus.
TV-Sender ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Show a desktop notification with the channel and the song title when the song changes.
Show Song Notifications</source>
        <translation>Zeigt bei jedem neuen Titel eine Desktop-Benachrichtigung mit Sender und Titel.
Titel-Benachrichtigungen anzeigen</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Ein neues Dokument erstellen
Neu</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Ein vorhandenes Dokument öffnen
Öffnen</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Info</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Sleep Timer</source>
        <translation>Sleep-Timer</translation>
    </message>
    <message>
        <source>Recent Songs</source>
        <translation>Zuletzt gehörte Titel</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Customize Menu...</source>
        <translation>Menü anpassen...</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Play Previous Channel</source>
        <translation>Vorherigen Sender abspielen</translation>
    </message>
    <message>
        <source>Play Next Channel</source>
        <translation>Nächsten Sender abspielen</translation>
    </message>
    <message>
        <source>My Stations</source>
        <translation>Meine Sender</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Save Song</source>
        <translation>Titel speichern</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>The file is too large.</source>
        <translation>Die Datei ist zu groß.</translation>
    </message>
</context>
</TS>
