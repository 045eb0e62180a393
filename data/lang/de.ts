<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeviceAccess</name>
    <message>
        <source>The mouse is connected, but this user may not open it (%1, owner %2, mode %3). The udev rule that allows it is installed but was not applied to it. Apply it with:
%4
then plug the mouse in again.</source>
        <translation>Die Maus ist angeschlossen, aber dieser Benutzer darf sie nicht öffnen (%1, Eigentümer %2, Modus %3). Die udev-Regel, die es erlaubt, ist installiert, wurde aber nicht auf sie angewendet. Wenden Sie sie an mit:
%4
und stecken Sie die Maus dann erneut ein.</translation>
    </message>
    <message>
        <source>The mouse is connected, but this user may not open it (%1, owner %2, mode %3). The udev rule that allows it is not installed. Install it with:
%4
then plug the mouse in again.</source>
        <translation>Die Maus ist angeschlossen, aber dieser Benutzer darf sie nicht öffnen (%1, Eigentümer %2, Modus %3). Die udev-Regel, die es erlaubt, ist nicht installiert. Installieren Sie sie mit:
%4
und stecken Sie die Maus dann erneut ein.</translation>
    </message>
</context>
<context>
    <name>KeyCapture</name>
    <message>
        <source>Keys are captured only while this window has the focus.</source>
        <translation>Tasten werden nur erfasst, solange dieses Fenster den Fokus hat.</translation>
    </message>
</context>
<context>
    <name>KorvaneCtl</name>
    <message>
        <source>list                     the supported mice present, their connections, paths and release numbers</source>
        <translation>list                     die angeschlossenen unterstützten Mäuse mit Verbindungen, Pfaden und Versionsnummern</translation>
    </message>
    <message>
        <source>status                   battery level, charging and connection state, from one battery report</source>
        <translation>status                   Akkustand, Lade- und Verbindungszustand aus einer Akkumeldung</translation>
    </message>
    <message>
        <source>profile add|copy|rename|delete|switch NAME [NEW]
                         the window&apos;s profile list operations, with its rules and messages</source>
        <translation>profile add|copy|rename|delete|switch NAME [NEW]
                         die Profilaktionen des Fensters, mit denselben Regeln und Meldungen</translation>
    </message>
    <message>
        <source>apply [NAME]             write the current (or named) profile and configuration to the mouse</source>
        <translation>apply [NAME]             schreibt das aktuelle (oder angegebene) Profil und die Konfiguration in die Maus</translation>
    </message>
    <message>
        <source>export FILE              save the current profile (.prof) or configuration (.conf)</source>
        <translation>export FILE              speichert das aktuelle Profil (.prof) oder die Konfiguration (.conf)</translation>
    </message>
    <message>
        <source>import FILE              load a .prof into the profile list or a .conf into the configuration</source>
        <translation>import FILE              lädt eine .prof-Datei in die Profilliste oder eine .conf-Datei in die Konfiguration</translation>
    </message>
    <message>
        <source>doctor                   what a bug report needs: version, system, session, the mouse&apos;s nodes and access, udev rule, trace</source>
        <translation>doctor                   was ein Fehlerbericht braucht: Version, System, Sitzung, Geräteknoten und Zugriff der Maus, udev-Regel, Mitschnitt</translation>
    </message>
    <message>
        <source>usage: korvanectl [--virtual] [--json] COMMAND [ARGUMENTS]

commands:
</source>
        <translation>Aufruf: korvanectl [--virtual] [--json] BEFEHL [ARGUMENTE]

Befehle:
</translation>
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
        <source>usage: korvanectl [--virtual] [--json] %1
</source>
        <translation>Aufruf: korvanectl [--virtual] [--json] %1
</translation>
    </message>
    <message>
        <source>Korvane Config is running and holds the mouse and the profiles; close it from its tray icon first.</source>
        <translation>Korvane Config läuft und belegt die Maus und die Profile; beenden Sie es zuerst über das Symbol im Infobereich.</translation>
    </message>
    <message>
        <source>No supported mouse is connected.</source>
        <translation>Es ist keine unterstützte Maus angeschlossen.</translation>
    </message>
    <message>
        <source>The status request could not be sent.</source>
        <translation>Die Statusabfrage konnte nicht gesendet werden.</translation>
    </message>
    <message>
        <source>The mouse&apos;s answer could not be read.</source>
        <translation>Die Antwort der Maus konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The mouse did not answer; it may be asleep. Move it and try again.</source>
        <translation>Die Maus hat nicht geantwortet; vielleicht schläft sie. Bewegen Sie sie und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>Die Maus schläft oder ist nicht verbunden.</translation>
    </message>
    <message>
        <source>battery %1%, %2 mV, %3, connection: %4</source>
        <translation>Akku %1 %, %2 mV, %3, Verbindung: %4</translation>
    </message>
    <message>
        <source>charging</source>
        <translation>lädt</translation>
    </message>
    <message>
        <source>not charging</source>
        <translation>lädt nicht</translation>
    </message>
    <message>
        <source>wrong arguments for %1</source>
        <translation>falsche Argumente für %1</translation>
    </message>
    <message>
        <source>This profile does not exist.</source>
        <translation>Dieses Profil existiert nicht.</translation>
    </message>
    <message>
        <source>No mouse is connected.</source>
        <translation>Es ist keine Maus angeschlossen.</translation>
    </message>
    <message>
        <source>not asked (no DISPLAY)</source>
        <translation>nicht abgefragt (kein DISPLAY)</translation>
    </message>
    <message>
        <source>the X server did not answer</source>
        <translation>der X-Server hat nicht geantwortet</translation>
    </message>
    <message>
        <source>node %1 (%2): %3:%4 %5, ACL %6, held open by %7</source>
        <translation>Knoten %1 (%2): %3:%4 %5, ACL %6, geöffnet von %7</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>no other process</source>
        <translation>kein anderer Prozess</translation>
    </message>
    <message>
        <source>korvanectl %1</source>
        <translation>korvanectl %1</translation>
    </message>
    <message>
        <source>distribution: %1</source>
        <translation>Distribution: %1</translation>
    </message>
    <message>
        <source>session: %1, DISPLAY %2, WAYLAND_DISPLAY %3, X extensions: %4</source>
        <translation>Sitzung: %1, DISPLAY %2, WAYLAND_DISPLAY %3, X-Erweiterungen: %4</translation>
    </message>
    <message>
        <source>USB ids: receiver %1, cable %2</source>
        <translation>USB-IDs: Empfänger %1, Kabel %2</translation>
    </message>
    <message>
        <source>udev rule: %1</source>
        <translation>udev-Regel: %1</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>nicht installiert</translation>
    </message>
    <message>
        <source>access: %1%2</source>
        <translation>Zugriff: %1%2</translation>
    </message>
    <message>
        <source> (the window runs: the mouse was not asked)</source>
        <translation> (das Fenster läuft: die Maus wurde nicht abgefragt)</translation>
    </message>
    <message>
        <source>product: %1, profile: %2</source>
        <translation>Produkt: %1, Profil: %2</translation>
    </message>
    <message>
        <source>last lines of the wire trace %1:</source>
        <translation>letzte Zeilen des Mitschnitts %1:</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>The mouse may hold other settings than the current profile: &quot;korvanectl apply&quot; sends it.</source>
        <translation>Die Maus enthält möglicherweise andere Einstellungen als das aktuelle Profil: &quot;korvanectl apply&quot; sendet es.</translation>
    </message>
    <message>
        <source>desktop: %1 session; on-mouse changes: %2; notifications: %3; tray: %4; pointer speed: %5</source>
        <translation>Desktop: Sitzung %1; Änderungen an der Maus: %2; Benachrichtigungen: %3; Infobereich: %4; Zeigergeschwindigkeit: %5</translation>
    </message>
    <message>
        <source>start at login: %1; low battery notice: %2; the mouse may hold other settings: %3</source>
        <translation>Start bei der Anmeldung: %1; Hinweis bei schwachem Akku: %2; die Maus enthält möglicherweise andere Einstellungen: %3</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>Another korvanectl command (process %1) holds the mouse and the profiles; try again when it has ended.</source>
        <translation>Ein anderer korvanectl-Befehl (Prozess %1) hält die Maus und die Profile; versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>The mouse gave no valid answer.</source>
        <translation>Die Maus gab keine gültige Antwort.</translation>
    </message>
    <message>
        <source>profiles [--names]       the profile names, the current one marked; --names prints
                         the names alone, one a line</source>
        <translation>profiles [--names]       die Profilnamen, das aktuelle markiert; --names gibt nur
                         die Namen aus, einen je Zeile</translation>
    </message>
    <message>
        <source>macros [--names | export NAME FILE | import FILE]
                         list the macro names, one a line, or copy a macro out of or into
                         the macro folder</source>
        <translation>macros [--names | export NAME FILE | import FILE]
                         listet die Makronamen auf, einen je Zeile, oder kopiert ein Makro aus dem
                         Makroordner oder in ihn hinein</translation>
    </message>
    <message>
        <source>
--version prints korvanectl&apos;s version. &quot;profiles --names&quot; and &quot;macros --names&quot; need no mouse
and print only the names: the shell completions read them.
</source>
        <translation>
--version gibt die Version von korvanectl aus. „profiles --names“ und „macros --names“ brauchen keine Maus
und geben nur die Namen aus: die Vervollständigungen der Shells lesen sie.
</translation>
    </message>
    <message>
        <source>%1 release %2</source>
        <translation>%1 Version %2</translation>
    </message>
    <message>
        <source>firmware: %1</source>
        <translation>Firmware: %1</translation>
    </message>
    <message>
        <source>no mouse present</source>
        <translation>keine Maus angeschlossen</translation>
    </message>
    <message>
        <source>
--virtual uses the built-in virtual mouse (as KORVANE_VIRTUAL_MOUSE=1 does).
--json prints one JSON object instead of text; a failure as {&quot;error&quot;: TEXT, &quot;exit&quot;: CODE}.
korvanectl COMMAND --help describes one command.

exit codes: 0 done; 1 no mouse; 2 the mouse gave no valid answer or could not be read;
4 write error; 5 mouse is off; 6 too many macros; 7 the profile was not read from a file;
8 a button&apos;s macro is missing;
10 usage; 11 refused by a profile or macro rule, or unknown name; 12 file error;
13 another korvanectl command holds the mouse, or the running window is busy, does not
offer the command or cannot be reached on the session bus; 14 no battery report;
15 no permission to open the mouse
</source>
        <translation>
--virtual verwendet die eingebaute virtuelle Maus (wie KORVANE_VIRTUAL_MOUSE=1).
--json gibt statt Text ein JSON-Objekt aus; einen Fehler als {&quot;error&quot;: TEXT, &quot;exit&quot;: CODE}.
korvanectl BEFEHL --help beschreibt einen Befehl.

Exit-Codes: 0 erledigt; 1 keine Maus; 2 die Maus gab keine gültige Antwort oder konnte nicht gelesen werden;
4 Schreibfehler; 5 Maus ist aus; 6 zu viele Makros; 7 das Profil wurde nicht aus einer Datei gelesen;
8 das Makro einer Taste fehlt;
10 Aufruf; 11 von einer Profil- oder Makroregel abgelehnt oder unbekannter Name; 12 Dateifehler;
13 ein anderer korvanectl-Befehl hält die Maus, oder das laufende Fenster ist beschäftigt, bietet
den Befehl nicht an oder ist über den Sitzungsbus nicht erreichbar; 14 keine Akkumeldung;
15 keine Berechtigung, die Maus zu öffnen
</translation>
    </message>
    <message>
        <source>Korvane Config cannot take this now: %1 Try again when it is done.</source>
        <translation>Korvane Config kann das gerade nicht annehmen: %1 Versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>Korvane Config did not answer: %1</source>
        <translation>Korvane Config hat nicht geantwortet: %1</translation>
    </message>
    <message>
        <source>Korvane Config did not read the profiles again (%1); it shows the change when it is started again.</source>
        <translation>Korvane Config hat die Profile nicht neu gelesen (%1); es zeigt die Änderung, wenn es wieder gestartet wird.</translation>
    </message>
    <message>
        <source>Korvane Config is running: load the configuration from its window (%1), or close it from its tray icon first.</source>
        <translation>Korvane Config läuft: Laden Sie die Konfiguration in seinem Fenster (%1), oder beenden Sie es zuerst über das Symbol im Infobereich.</translation>
    </message>
    <message>
        <source>Korvane Config is running: use %1 on its %2 page, or close it from its tray icon first.</source>
        <translation>Korvane Config läuft: Verwenden Sie %1 auf seiner Seite %2, oder beenden Sie es zuerst über das Symbol im Infobereich.</translation>
    </message>
    <message>
        <source>links [add PROGRAM PROFILE [--focus] | remove PROGRAM]
                         the programs that give the mouse a profile while they run, or with
                         --focus while their window has focus; add replaces a program&apos;s link</source>
        <translation>links [add PROGRAM PROFILE [--focus] | remove PROGRAM]
                         die Programme, die der Maus ein Profil geben, solange sie laufen, oder
                         mit --focus, solange ihr Fenster den Fokus hat; add ersetzt die
                         Verknüpfung eines Programms</translation>
    </message>
    <message>
        <source>No program is linked to a profile.</source>
        <translation>Kein Programm ist mit einem Profil verknüpft.</translation>
    </message>
    <message>
        <source>%1  -&gt;  %2  (%3)</source>
        <translation>%1  -&gt;  %2  (%3)</translation>
    </message>
    <message>
        <source>while its window has focus</source>
        <translation>solange sein Fenster den Fokus hat</translation>
    </message>
    <message>
        <source>while it runs</source>
        <translation>solange es läuft</translation>
    </message>
    <message>
        <source>default profile: %1</source>
        <translation>Standardprofil: %1</translation>
    </message>
    <message>
        <source>automatic switching: on</source>
        <translation>automatischer Wechsel: ein</translation>
    </message>
    <message>
        <source>automatic switching: off</source>
        <translation>automatischer Wechsel: aus</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no program: give the program&apos;s file name (without &apos;/&apos;) or its absolute path.</source>
        <translation>„%1“ benennt kein Programm: Geben Sie den Dateinamen des Programms (ohne „/“) oder seinen absoluten Pfad an.</translation>
    </message>
    <message>
        <source>There is no program at %1 yet; the link holds once it is there.</source>
        <translation>Unter %1 gibt es noch kein Programm; die Verknüpfung gilt, sobald es dort ist.</translation>
    </message>
    <message>
        <source>This program has no link.</source>
        <translation>Dieses Programm hat keine Verknüpfung.</translation>
    </message>
    <message>
        <source>The links could not be stored: the file %1 could not be written.</source>
        <translation>Die Verknüpfungen konnten nicht gespeichert werden: Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>KorvaneService</name>
    <message>
        <source>This profile does not exist.</source>
        <translation>Dieses Profil existiert nicht.</translation>
    </message>
    <message>
        <source>A program is named by its file name or its whole path.</source>
        <translation>Ein Programm wird mit seinem Dateinamen oder seinem ganzen Pfad benannt.</translation>
    </message>
    <message>
        <source>The links could not be stored in the configuration.</source>
        <translation>Die Verknüpfungen konnten nicht in der Konfiguration gespeichert werden.</translation>
    </message>
    <message>
        <source>This program has no link.</source>
        <translation>Dieses Programm hat keine Verknüpfung.</translation>
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
    <message>
        <source>Start at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Low battery notice</source>
        <translation>Hinweis bei schwachem Akku</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>At %1%</source>
        <translation>Bei %1 %</translation>
    </message>
    <message>
        <source>No mouse connected</source>
        <translation>Keine Maus verbunden</translation>
    </message>
    <message>
        <source>Battery %1%, charging</source>
        <translation>Akku %1 %, wird geladen</translation>
    </message>
    <message>
        <source>Battery %1%</source>
        <translation>Akku %1 %</translation>
    </message>
    <message>
        <source>Switch profiles automatically</source>
        <translation>Profile automatisch wechseln</translation>
    </message>
    <message>
        <source>Profile %1 waits until the window is free</source>
        <translation>Profil %1 wartet, bis das Fenster frei ist</translation>
    </message>
</context>
<context>
    <name>KorvaneWidget</name>
    <message>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>Um die Firmware zu aktualisieren, verbinden Sie die Maus per Kabel mit dem Computer.</translation>
    </message>
    <message>
        <source>Do you want to upgrade the firmware?</source>
        <translation>Möchten Sie die Firmware aktualisieren?</translation>
    </message>
    <message>
        <source>The firmware updater could not be started.</source>
        <translation>Das Programm zur Firmware-Aktualisierung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Korvane Config</source>
        <translation>Korvane Config</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation>Empfänger getrennt!</translation>
    </message>
    <message>
        <source>The autostart entry %1 could not be changed.</source>
        <translation>Der Autostart-Eintrag %1 konnte nicht geändert werden.</translation>
    </message>
    <message>
        <source>The configuration could not be written, so the other mouse was not chosen.</source>
        <translation>Die Konfiguration konnte nicht geschrieben werden, deshalb wurde die andere Maus nicht gewählt.</translation>
    </message>
    <message>
        <source>The firmware updater is not installed: it is a program for another system. Update the firmware from a computer it runs on.</source>
        <translation>Das Firmware-Update-Programm ist nicht installiert: Es ist ein Programm für ein anderes System. Aktualisieren Sie die Firmware an einem Computer, auf dem es läuft.</translation>
    </message>
    <message>
        <source>A write to the mouse is running.</source>
        <translation>Die Maus wird gerade beschrieben.</translation>
    </message>
    <message>
        <source>A macro is being recorded.</source>
        <translation>Ein Makro wird gerade aufgenommen.</translation>
    </message>
    <message>
        <source>A macro is being edited.</source>
        <translation>Ein Makro wird gerade bearbeitet.</translation>
    </message>
    <message>
        <source>A dialog is open in Korvane Config.</source>
        <translation>In Korvane Config ist ein Dialog geöffnet.</translation>
    </message>
    <message>
        <source>The choice could not be stored in the configuration.</source>
        <translation>Die Auswahl konnte nicht in der Konfiguration gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>LinkedProgramsDialog</name>
    <message>
        <source>LINKED PROGRAMS</source>
        <translation>VERKNÜPFTE PROGRAMME</translation>
    </message>
    <message>
        <source>Linked programs</source>
        <translation>Verknüpfte Programme</translation>
    </message>
    <message>
        <source>While a linked program runs, or while its window has focus, the mouse uses the profile chosen for it.</source>
        <translation>Solange ein verknüpftes Programm läuft oder sein Fenster den Fokus hat, nutzt die Maus das dafür gewählte Profil.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>PROGRAM</source>
        <translation>PROGRAMM</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFIL</translation>
    </message>
    <message>
        <source>WAY</source>
        <translation>ART</translation>
    </message>
    <message>
        <source>No program is linked yet. Add a running program, or browse to one.</source>
        <translation>Noch ist kein Programm verknüpft. Fügen Sie ein laufendes Programm hinzu oder wählen Sie eines aus.</translation>
    </message>
    <message>
        <source>Add a running program</source>
        <translation>Laufendes Programm hinzufügen</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Where the desktop does not tell which window has focus, a link that follows the focus holds while its program runs.</source>
        <translation>Wo die Arbeitsumgebung nicht mitteilt, welches Fenster den Fokus hat, gilt eine Verknüpfung nach Fokus, solange ihr Programm läuft.</translation>
    </message>
    <message>
        <source>DEFAULT PROFILE</source>
        <translation>STANDARDPROFIL</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>while no linked program is active</source>
        <translation>solange kein verknüpftes Programm aktiv ist</translation>
    </message>
    <message>
        <source>While its window has focus</source>
        <translation>Solange sein Fenster den Fokus hat</translation>
    </message>
    <message>
        <source>While it runs</source>
        <translation>Solange es läuft</translation>
    </message>
    <message>
        <source>Other programs</source>
        <translation>Andere Programme</translation>
    </message>
    <message>
        <source>No running program found</source>
        <translation>Kein laufendes Programm gefunden</translation>
    </message>
    <message>
        <source>Choose a program</source>
        <translation>Programm auswählen</translation>
    </message>
    <message>
        <source>Programs (*)</source>
        <translation>Programme (*)</translation>
    </message>
    <message>
        <source>The linked programs could not be saved in %1.</source>
        <translation>Die verknüpften Programme konnten nicht in %1 gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>MACRO</source>
        <translation>MAKRO</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>NEU</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>LÖSCHEN</translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation>STAPEL</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>WAFFE</translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation>MAKRONAME</translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation>UMBENENNEN</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>AKTION</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>PAUSE (ms)</translation>
    </message>
    <message>
        <source>KEY</source>
        <translation>TASTE</translation>
    </message>
    <message>
        <source>START</source>
        <translation>STARTEN</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOPPEN</translation>
    </message>
    <message>
        <source>RECORD AFTER</source>
        <translation>DANACH EINFÜGEN</translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>PAUSEN AUFZEICHNEN</translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation>STANDARDPAUSE EINFÜGEN</translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation>PAUSE EINFÜGEN</translation>
    </message>
    <message>
        <source>MOUSE ACTION</source>
        <translation>MAUSAKTION</translation>
    </message>
    <message>
        <source>MOUSE COMMAND</source>
        <translation>MAUSBEFEHL</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>DURCHLÄUFE (1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>WIEDERHOLEN, SOLANGE GEDRÜCKT</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>ENDLOS BIS ERNEUT GEDRÜCKT</translation>
    </message>
    <message>
        <source>Keys and clicks are recorded only inside this window.</source>
        <translation>Tasten und Klicks werden nur in diesem Fenster aufgezeichnet.</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SPEICHERN</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ABBRECHEN</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>NACH OBEN</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>NACH UNTEN</translation>
    </message>
    <message>
        <source>TOP</source>
        <translation>GANZ NACH OBEN</translation>
    </message>
    <message>
        <source>BOTTOM</source>
        <translation>GANZ NACH UNTEN</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>ALLES LÖSCHEN</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>BEARBEITEN</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>KOPIEREN</translation>
    </message>
    <message>
        <source>CUT</source>
        <translation>AUSSCHNEIDEN</translation>
    </message>
    <message>
        <source>PASTE</source>
        <translation>EINFÜGEN</translation>
    </message>
    <message>
        <source>Load Macro File</source>
        <translation>Makrodatei laden</translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation>Makrodatei (*.MSMACRO)</translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation>Makrodatei speichern</translation>
    </message>
    <message>
        <source>MOUSE</source>
        <translation>MAUS</translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation>DISTANZ</translation>
    </message>
    <message>
        <source>DELAY</source>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>EINE ODER MEHRERE TASTEN WURDEN NICHT LOSGELASSEN.</translation>
    </message>
    <message>
        <source>MOVEMENT</source>
        <translation>BEWEGUNG</translation>
    </message>
    <message>
        <source>Buttons play the macro &quot;%1&quot; in these profiles: %2. Delete it, and give those buttons their default functions?</source>
        <translation>Tasten spielen das Makro „%1“ in diesen Profilen: %2. Soll es gelöscht werden und sollen diese Tasten ihre Standardfunktionen erhalten?</translation>
    </message>
</context>
<context>
    <name>MacroList</name>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>ES KÖNNEN KEINE WEITEREN MAKROS ERSTELLT WERDEN!</translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation>Dieses Makro existiert bereits!</translation>
    </message>
    <message>
        <source>This name cannot be used for a macro.</source>
        <translation>Dieser Name kann nicht für ein Makro verwendet werden.</translation>
    </message>
    <message>
        <source>The macro file was not found.</source>
        <translation>Die Makrodatei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The macro file could not be written.</source>
        <translation>Die Makrodatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>This file is not a macro file.</source>
        <translation>Diese Datei ist keine Makrodatei.</translation>
    </message>
    <message>
        <source>This macro file claims more steps than a macro can hold.</source>
        <translation>Diese Makrodatei gibt mehr Schritte an, als ein Makro fassen kann.</translation>
    </message>
    <message>
        <source>Not every profile whose buttons use this macro could be saved.</source>
        <translation>Nicht jedes Profil, dessen Tasten dieses Makro verwenden, konnte gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>MouseNotices</name>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>The mouse is back, but the last settings did not reach it. Send the current profile again?</source>
        <translation>Die Maus ist wieder da, aber die letzten Einstellungen haben sie nicht erreicht. Das aktuelle Profil erneut senden?</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Erneut senden</translation>
    </message>
    <message>
        <source>Mouse battery low</source>
        <translation>Mausakku schwach</translation>
    </message>
    <message>
        <source>%1 has %2% battery left. Connect the cable to charge it.</source>
        <translation>%1 hat noch %2 % Akku. Schließen Sie das Kabel an, um ihn zu laden.</translation>
    </message>
    <message>
        <source>Profile: %1</source>
        <translation>Profil: %1</translation>
    </message>
</context>
<context>
    <name>MouseView</name>
    <message>
        <source>Front</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>Seite</translation>
    </message>
</context>
<context>
    <name>PageTabs</name>
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
</context>
<context>
    <name>ProfileBar</name>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Press Enter To Apply</source>
        <translation>Zum Übernehmen die Eingabetaste drücken</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>NEU</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>LÖSCHEN</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>KOPIEREN</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>ZURÜCKSETZEN</translation>
    </message>
    <message>
        <source>Save Profile File</source>
        <translation>Profildatei speichern</translation>
    </message>
    <message>
        <source>Load Profile File</source>
        <translation>Profildatei laden</translation>
    </message>
    <message>
        <source>Are you sure you want delete this profile?</source>
        <translation>Möchten Sie dieses Profil wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want reset this profile?</source>
        <translation>Möchten Sie dieses Profil wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation>Möchten Sie wirklich alle Profile zurücksetzen?</translation>
    </message>
    <message>
        <source>Profile File(*.prof)</source>
        <translation>Profildatei (*.prof)</translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation>Konfigurationsdatei laden</translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation>Konfigurationsdatei (*.conf)</translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation>Konfigurationsdatei speichern</translation>
    </message>
    <message>
        <source>Linked programs</source>
        <translation>Verknüpfte Programme</translation>
    </message>
    <message>
        <source>These programs were linked to the deleted profile and are no longer: %1.</source>
        <translation>Diese Programme waren mit dem gelöschten Profil verknüpft und sind es nicht mehr: %1.</translation>
    </message>
</context>
<context>
    <name>ProfileList</name>
    <message>
        <source>Profile is Already Used!</source>
        <translation>Dieses Profil wird bereits verwendet!</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation>Das Standardprofil kann weder gelöscht noch umbenannt werden.</translation>
    </message>
    <message>
        <source>Profile Exist!</source>
        <translation>Dieses Profil existiert bereits!</translation>
    </message>
    <message>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>MINDESTENS EIN PROFIL MUSS ERHALTEN BLEIBEN.</translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation>Die Datei passt nicht zur aktuellen Maus!</translation>
    </message>
    <message>
        <source>This name cannot be used for a profile.</source>
        <translation>Dieser Name kann nicht für ein Profil verwendet werden.</translation>
    </message>
    <message>
        <source>The profile file was not found.</source>
        <translation>Die Profildatei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The profile file could not be found.</source>
        <translation>Die Profildatei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The profile file could not be written.</source>
        <translation>Die Profildatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The file %1 is incomplete or damaged: it holds no whole profile.</source>
        <translation>Die Datei %1 ist unvollständig oder beschädigt: Sie enthält kein vollständiges Profil.</translation>
    </message>
    <message>
        <source>The file %1 is a link to a place outside the configuration folder; it was not written.</source>
        <translation>Die Datei %1 ist ein Verweis auf einen Ort außerhalb des Konfigurationsordners; sie wurde nicht geschrieben.</translation>
    </message>
</context>
<context>
    <name>ResultCode</name>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>Die Maus schläft oder ist nicht verbunden.</translation>
    </message>
    <message>
        <source>At most 12 different macros fit in the mouse.</source>
        <translation>Die Maus fasst höchstens 12 verschiedene Makros.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>Senden fehlgeschlagen, bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>The profile could not be saved to its file, so this change is gone at the next start. The mouse was written with it.</source>
        <translation>Das Profil konnte nicht in seiner Datei gespeichert werden; diese Änderung ist beim nächsten Start verloren. Die Maus wurde damit beschrieben.</translation>
    </message>
    <message>
        <source>The profile could not be saved to its file, so this change is gone at the next start. The mouse was not written either: %1</source>
        <translation>Das Profil konnte nicht in seiner Datei gespeichert werden; diese Änderung ist beim nächsten Start verloren. Auch die Maus wurde nicht beschrieben: %1</translation>
    </message>
    <message>
        <source>A button&apos;s macro is missing: give that button another macro or function, then apply again.</source>
        <translation>Das Makro einer Taste fehlt: Geben Sie dieser Taste ein anderes Makro oder eine andere Funktion und übernehmen Sie dann erneut.</translation>
    </message>
    <message>
        <source>The profile was not read whole from its file, or no button gives the left click: nothing was sent.</source>
        <translation>Das Profil wurde nicht vollständig aus seiner Datei gelesen, oder keine Taste löst den Linksklick aus: Es wurde nichts gesendet.</translation>
    </message>
</context>
<context>
    <name>StatusRow</name>
    <message>
        <source>Reset All</source>
        <translation>Alle zurücksetzen</translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation>LADEN</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>SPEICHERN</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation>MAUS AUS</translation>
    </message>
    <message>
        <source>Mouse description version %1
Korvane Config %2</source>
        <translation>Version der Mausbeschreibung %1
Korvane Config %2</translation>
    </message>
</context>
<context>
    <name>TrayNotifier</name>
    <message>
        <source>Click here: %1</source>
        <translation>Hier klicken: %1</translation>
    </message>
</context>
<context>
    <name>VelBtnWindow</name>
    <message>
        <source>Left</source>
        <translation>Linksklick</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechtsklick</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Mittelklick</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alles markieren</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation>Fenster wechseln</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation>Desktop anzeigen</translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation>PC sperren</translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation>Browser: Startseite</translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation>Browser: Zurück</translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation>Browser: Vorwärts</translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation>Browser: Stopp</translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation>Browser: Aktualisieren</translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation>Browser: Suche</translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation>Browser: Favoriten</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation>EINZELTASTE</translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation>TASTENKOMBINATION</translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation>SCHNELLFEUER</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Lauter</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Leiser</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation>Mediaplayer</translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation>DPI wechseln</translation>
    </message>
    <message>
        <source>DPI +</source>
        <translation>DPI +</translation>
    </message>
    <message>
        <source>DPI -</source>
        <translation>DPI -</translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation>Makroverwaltung</translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation>Taste aus</translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation>Nach oben scrollen</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>Nach unten scrollen</translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation>Profil wechseln</translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation>Profil +</translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation>Profil -</translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation>Abfragerate wechseln</translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation>Abfragerate +</translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation>Abfragerate -</translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation>Beleuchtung an/aus</translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation>SNIPER</translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation>Boss-Taste</translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation>Waffendateien</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Medien</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation>Abfragerate</translation>
    </message>
    <message>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation>MINDESTENS EINE KLICKFUNKTION MUSS ERHALTEN BLEIBEN.</translation>
    </message>
    <message>
        <source>Left Button Can not be Gun Function.</source>
        <translation>Der linken Maustaste kann keine Waffenfunktion zugewiesen werden.</translation>
    </message>
</context>
<context>
    <name>VelColorArea</name>
    <message>
        <source>COLOR</source>
        <translation>FARBE</translation>
    </message>
    <message>
        <source>H </source>
        <translation>H </translation>
    </message>
    <message>
        <source>S </source>
        <translation>S </translation>
    </message>
    <message>
        <source>V </source>
        <translation>V </translation>
    </message>
    <message>
        <source>R </source>
        <translation>R </translation>
    </message>
    <message>
        <source>G </source>
        <translation>G </translation>
    </message>
    <message>
        <source>B </source>
        <translation>B </translation>
    </message>
    <message>
        <source>No</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>VelColorWindow</name>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation>DAUERLICHT</translation>
    </message>
    <message>
        <source>BREATHING</source>
        <translation>ATMEN</translation>
    </message>
    <message>
        <source>7 COLOR BREATHING</source>
        <translation>ATMEN IN 7 FARBEN</translation>
    </message>
    <message>
        <source>RAINBOW</source>
        <translation>REGENBOGEN</translation>
    </message>
    <message>
        <source>FLASH</source>
        <translation>BLINKEN</translation>
    </message>
    <message>
        <source>Horizontal WAVE</source>
        <translation>Horizontale Welle</translation>
    </message>
    <message>
        <source>Horizontal GO WITHOUT TRACE</source>
        <translation>Horizontales Lauflicht ohne Spur</translation>
    </message>
    <message>
        <source>Raindrop</source>
        <translation>Regentropfen</translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation>WELLE</translation>
    </message>
    <message>
        <source>GO WITHOUT TRACE</source>
        <translation>LAUFLICHT OHNE SPUR</translation>
    </message>
    <message>
        <source>REACTIVE</source>
        <translation>REAKTIV</translation>
    </message>
    <message>
        <source>yo-yo</source>
        <translation>Jo-Jo</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Murmeln</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>EFFEKT</translation>
    </message>
    <message>
        <source>BRIGHTNESS</source>
        <translation>HELLIGKEIT</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>TEMPO</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>FARBE</translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation>RUHEMODUS</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>AUS BEI BEWEGUNG</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> MIN.</translation>
    </message>
</context>
<context>
    <name>VelComboKeyWindow</name>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Win</source>
        <translation>Win</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Key:</source>
        <translation>Taste:</translation>
    </message>
</context>
<context>
    <name>VelDPIWindow</name>
    <message>
        <source>SLEEP TIME</source>
        <translation>RUHEMODUS</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>AUS BEI BEWEGUNG</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> MIN.</translation>
    </message>
    <message>
        <source>On this desktop the pointer speed is set in its own mouse settings (Mouse Setting).</source>
        <translation>Hier legt der Desktop die Zeigergeschwindigkeit in seinen Mauseinstellungen fest.</translation>
    </message>
</context>
<context>
    <name>VelFireKeyWindow</name>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation>Tastaturtaste</translation>
    </message>
    <message>
        <source>Times:</source>
        <translation>Anzahl:</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>Pause:</translation>
    </message>
</context>
<context>
    <name>VelGunsetDialog</name>
    <message>
        <source>GUN SET</source>
        <translation>WAFFE EINSTELLEN</translation>
    </message>
    <message>
        <source>Gun Set</source>
        <translation>Waffe einstellen</translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation>WAFFENDATEI</translation>
    </message>
    <message>
        <source>DELAY(MS)</source>
        <translation>PAUSE (MS)</translation>
    </message>
    <message>
        <source>VERTICAL</source>
        <translation>VERTIKAL</translation>
    </message>
    <message>
        <source>HORIZONTAL</source>
        <translation>HORIZONTAL</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation>SCHÜSSE</translation>
    </message>
    <message>
        <source>Time to the next shot, in milliseconds</source>
        <translation>Zeit bis zum nächsten Schuss in Millisekunden</translation>
    </message>
    <message>
        <source>How far the pointer is pulled after the shot: down, or up when negative</source>
        <translation>Wie weit der Zeiger nach dem Schuss gezogen wird: nach unten, bei negativen Werten nach oben</translation>
    </message>
    <message>
        <source>How far the pointer is pulled after the shot: right, or left when negative</source>
        <translation>Wie weit der Zeiger nach dem Schuss gezogen wird: nach rechts, bei negativen Werten nach links</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>Bitte geben Sie einen Dateinamen ein.</translation>
    </message>
</context>
<context>
    <name>VelKeyDialog</name>
    <message>
        <source>No</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>VelMacroItemDelegate</name>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Drücken</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Loslassen</translation>
    </message>
    <message>
        <source>DELAY</source>
        <translation>PAUSE</translation>
    </message>
</context>
<context>
    <name>VelMacroSelect</name>
    <message>
        <source>GUNFILE SELECT</source>
        <translation>WAFFENDATEI WÄHLEN</translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation>MAKRO WÄHLEN</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>DURCHLÄUFE (1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>WIEDERHOLEN, SOLANGE GEDRÜCKT</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>ENDLOS BIS ERNEUT GEDRÜCKT</translation>
    </message>
</context>
<context>
    <name>VelMessageBox</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>VelPointSpeed</name>
    <message>
        <source>Key Response</source>
        <translation>Tastenreaktion</translation>
    </message>
    <message>
        <source>Enable sync</source>
        <translation>Sync aktivieren</translation>
    </message>
    <message>
        <source>Lift Distance</source>
        <translation>Abhebehöhe</translation>
    </message>
    <message>
        <source>1mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <source>2mm</source>
        <translation>2 mm</translation>
    </message>
    <message>
        <source>Angle Snapping</source>
        <translation>Winkelkorrektur</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>Jitter-Filter</translation>
    </message>
    <message>
        <source>Motion Wake</source>
        <translation>Wecken durch Bewegung</translation>
    </message>
    <message>
        <source>Sensor Mode</source>
        <translation>Sensormodus</translation>
    </message>
    <message>
        <source>Eco</source>
        <translation>Eco</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Competitive</source>
        <translation>Wettkampf</translation>
    </message>
    <message>
        <source>Scroll Speed</source>
        <translation>Scrolltempo</translation>
    </message>
    <message>
        <source>Mouse Setting</source>
        <translation>Mauseinstellungen</translation>
    </message>
    <message>
        <source>No mouse settings program was found on this desktop.</source>
        <translation>Auf diesem Desktop wurde kein Programm für die Mauseinstellungen gefunden.</translation>
    </message>
</context>
<context>
    <name>VelProcessbar</name>
    <message>
        <source>MOUSE OFF</source>
        <translation>MAUS AUS</translation>
    </message>
</context>
<context>
    <name>VelReportRate</name>
    <message>
        <source>125 HZ</source>
        <translation>125 Hz</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 Hz</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 Hz</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 Hz</translation>
    </message>
    <message>
        <source>REPORT RATE</source>
        <translation>ABFRAGERATE</translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation>Abhebehöhe</translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation>2 mm</translation>
    </message>
</context>
<context>
    <name>VelSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation>XY koppeln</translation>
    </message>
    <message>
        <source>DPI : %1</source>
        <translation>DPI: %1</translation>
    </message>
    <message>
        <source>X:%1</source>
        <translation>X: %1</translation>
    </message>
    <message>
        <source>Y:%1</source>
        <translation>Y: %1</translation>
    </message>
</context>
<context>
    <name>VelSingleKeyWindow</name>
    <message>
        <source>Press the key the button sends.</source>
        <translation>Drücken Sie die Taste, die die Maustaste senden soll.</translation>
    </message>
</context>
<context>
    <name>VelSkinDialog</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>VelSniperWindow</name>
    <message>
        <source>DPI while the button is held:</source>
        <translation>DPI, solange die Taste gedrückt ist:</translation>
    </message>
</context>
<context>
    <name>VelTreeWidget</name>
    <message>
        <source>LEFT CLICK</source>
        <translation>LINKSKLICK</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>MITTELKLICK</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>RECHTSKLICK</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>VORWÄRTS</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>ZURÜCK</translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation>DRÜCKEN</translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation>LOSLASSEN</translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation>NACH LINKS</translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation>NACH RECHTS</translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation>NACH OBEN</translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation>NACH UNTEN</translation>
    </message>
</context>
<context>
    <name>battery</name>
    <message>
        <source>125 HZ</source>
        <translation>125 Hz</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 Hz</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 Hz</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 Hz</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 (process %2) is using the mouse and the profiles; start Korvane Config again when it has ended.</source>
        <translation>%1 (Prozess %2) verwendet die Maus und die Profile; starten Sie Korvane Config erneut, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>Korvane Config is not on the session bus; korvanectl cannot reach it.</source>
        <translation>Korvane Config ist nicht am Sitzungsbus; korvanectl kann es nicht erreichen.</translation>
    </message>
</context>
</TS>
