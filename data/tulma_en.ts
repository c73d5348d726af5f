<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The English texts of the program. The sources are the texts it shows under a German locale;
     lrelease makes tulma_en.qm beside the program from this file. -->
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>ProgramText</name>
    <message>
        <source>Klasse %1 nicht gefunden.</source>
        <comment>ClassNotFound</comment>
        <translation>Class %1 not found.</translation>
    </message>
    <message>
        <source>Stream-Read-Fehler</source>
        <comment>StreamReadError</comment>
        <translation>Read error</translation>
    </message>
    <message>
        <source>Kann Datei %1 nicht öffnen</source>
        <comment>CannotOpenFile</comment>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Kann Datei %1 nicht erstellen</source>
        <comment>CannotCreateFile</comment>
        <translation>Cannot create file %1</translation>
    </message>
    <message>
        <source>I/O-Fehler %1</source>
        <comment>InOutError</comment>
        <translation>I/O error %1</translation>
    </message>
    <message>
        <source>Listenindex außerhalb des zulässigen Bereichs</source>
        <comment>ListIndexError</comment>
        <translation>List index out of bounds</translation>
    </message>
    <message>
        <source>Ungültige Typumwandlung</source>
        <comment>InvalidCast</comment>
        <translation>Invalid type cast</translation>
    </message>
    <message>
        <source>%2</source>
        <comment>NotAHotKeyFile</comment>
        <translation>%1 is not a Tulma hotkey file.</translation>
    </message>
    <message>
        <source>%2</source>
        <comment>DamagedHotKeyFile</comment>
        <translation>%1 is damaged and cannot be read: %2</translation>
    </message>
    <message>
        <source>Meldung %1 nicht gefunden.</source>
        <comment>MessageNotFound</comment>
        <translation>Message %1 not found.</translation>
    </message>
    <message>
        <source>Meldung</source>
        <comment>MessageCaption</comment>
        <translation>Message</translation>
    </message>
    <message>
        <source>Mess-ID %d wird von Meldung %s angefordert und bereits von Meldung %s verwendet.</source>
        <comment>DuplicateMessage</comment>
        <translation>Message number %d is asked for by message %s and already used by message %s.</translation>
    </message>
    <message>
        <source>Umsch+</source>
        <comment>ShiftPrefix</comment>
        <translation>Shift+</translation>
    </message>
    <message>
        <source>Strg+</source>
        <comment>CtrlPrefix</comment>
        <translation>Ctrl+</translation>
    </message>
    <message>
        <source>Rück</source>
        <comment>KeyBackspace</comment>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>Leertaste</source>
        <comment>KeySpace</comment>
        <translation>Space</translation>
    </message>
    <message>
        <source>BildAuf</source>
        <comment>KeyPageUp</comment>
        <translation>PgUp</translation>
    </message>
    <message>
        <source>BildAb</source>
        <comment>KeyPageDown</comment>
        <translation>PgDown</translation>
    </message>
    <message>
        <source>Ende</source>
        <comment>KeyEnd</comment>
        <translation>End</translation>
    </message>
    <message>
        <source>Pos1</source>
        <comment>KeyHome</comment>
        <translation>Home</translation>
    </message>
    <message>
        <source>Linksbündig</source>
        <comment>KeyLeft</comment>
        <translation>Left</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <comment>KeyUp</comment>
        <translation>Up</translation>
    </message>
    <message>
        <source>Rechts</source>
        <comment>KeyRight</comment>
        <translation>Right</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <comment>KeyDown</comment>
        <translation>Down</translation>
    </message>
    <message>
        <source>Einfg</source>
        <comment>KeyInsert</comment>
        <translation>Ins</translation>
    </message>
    <message>
        <source>Entf</source>
        <comment>KeyDelete</comment>
        <translation>Del</translation>
    </message>
</context>
<context>
    <name>TQtFileDialogs</name>
    <message>
        <source>Tulma-Files (*.tul)|*.tul</source>
        <translation>Tulma files (*.tul)|*.tul</translation>
    </message>
</context>
<context>
    <name>TGnomeShellWindows</name>
    <message>
        <source>Native Wayland-Fenster findet Tulma mit seiner Erweiterung für GNOME Shell: gnome-extensions enable %1 (eine neu installierte Erweiterung lädt GNOME erst bei der nächsten Anmeldung). Bis dahin findet es nur X11-Fenster.</source>
        <translation>Tulma finds native Wayland windows through its GNOME Shell extension: gnome-extensions enable %1 (GNOME loads a newly installed extension at the next login). Until then it finds X11 windows only.</translation>
    </message>
</context>
</TS>
