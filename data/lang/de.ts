<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>KorvaneWidget</name>
    <message>
        <source>LIGHTING</source>
        <translation>BELEUCHTUNG</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>TASTEN</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>MAKRO</translation>
    </message>
    <message>
        <source>Korvane Config</source>
        <translation>Korvane Config</translation>
    </message>
</context>
<context>
    <name>KorvaneTray</name>
    <message>
        <source>&amp;Load Config</source>
        <translation>&amp;Konfiguration laden</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>ProfileList</name>
    <message>
        <source>The profile file could not be found.</source>
        <translation>Die Profildatei wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>MacroList</name>
    <message>
        <source>The macro file was not found.</source>
        <translation>Die Makrodatei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The macro file could not be written.</source>
        <translation>Die Makrodatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>This name cannot be used for a macro.</source>
        <translation>Dieser Name kann nicht für ein Makro verwendet werden.</translation>
    </message>
</context>
<context>
    <name>KorvaneCtl</name>
    <message>
        <source>This profile does not exist.</source>
        <translation>Dieses Profil existiert nicht.</translation>
    </message>
    <message>
        <source>No mouse is connected.</source>
        <translation>Es ist keine Maus angeschlossen.</translation>
    </message>
    <message>
        <source>The mouse's answer could not be read.</source>
        <translation>Die Antwort der Maus konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Korvane Config is running and holds the mouse and the profiles; close it from its tray icon first.</source>
        <translation>Korvane Config läuft und belegt die Maus und die Profile; beenden Sie es zuerst über das Symbol im Infobereich.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <source>wrong arguments for %1</source>
        <translation>falsche Argumente für %1</translation>
    </message>
</context>
<context>
    <name>ResultCode</name>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>Die Maus schläft oder ist nicht verbunden.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>Senden fehlgeschlagen, bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>At most 12 different macros fit in the mouse.</source>
        <translation>Die Maus fasst höchstens 12 verschiedene Makros.</translation>
    </message>
    <message>
        <source>The profile file could not be found.</source>
        <translation>Die Profildatei wurde nicht gefunden.</translation>
    </message>
</context>
</TS>
