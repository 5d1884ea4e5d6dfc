<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Backups</name>
    <message>
        <source>The folder cannot be made</source>
        <translation>Der Ordner lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>No backup could be written to &quot;%1&quot;: %2</source>
        <translation>In „%1“ ließ sich keine Sicherung schreiben: %2</translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>%1 takes one file</source>
        <translation>%1 erwartet genau eine Datei</translation>
    </message>
    <message>
        <source>%1 takes no file</source>
        <translation>%1 erwartet keine Datei</translation>
    </message>
    <message>
        <source>%1 belongs to %2</source>
        <translation>%1 gehört zu %2</translation>
    </message>
    <message>
        <source>update needs --channel N with N from 1</source>
        <translation>update braucht --channel N mit N ab 1</translation>
    </message>
    <message>
        <source>Usage: presetta-cli [-p PORT] [-q] COMMAND [ARGUMENTS]

The memory channels of an FM/AM RDS receiver on a serial line, from a terminal.
Memory files are the ones the Presetta window saves and loads.

Commands:
  ports                     list the serial ports; * marks the one used without -p
  download [-o FILE]        fetch the receiver&apos;s channels as a memory file
                            (standard output without -o)
  upload FILE [--changed] [--verify]
                            send every channel of FILE (a line each; channels beyond
                            its lines are left as they are); stop at the first one the
                            receiver refuses. --changed: download first and send only
                            the channels that differ. --verify: download afterwards and
                            report every channel that differs from FILE
  update FILE --channel N   send channel N of FILE
  sync                      set the receiver&apos;s clock to this computer&apos;s local time
  show FILE                 print FILE&apos;s channels as the window&apos;s list shows them

Options:
  -p, --port PORT   device path (/dev/ttyUSB0) or port name from &apos;ports&apos;;
                    default: the port the window used last, else its first choice
  -q, --quiet       no progress on standard error
  -h, --help        this text
      --version     the program&apos;s version

Ctrl+C ends an upload after the channel being sent, anything else at once.

Exit status:
  0    done
  2    usage error
  3    port or link failure: the port cannot be opened, the link was lost, or the
       receiver does not answer
  4    the receiver refused a channel
  5    a file is unreadable, not a memory file, or could not be written
  6    --verify found channels that differ
  130  interrupted (Ctrl+C)
</source>
        <translation>Aufruf: presetta-cli [-p PORT] [-q] BEFEHL [ARGUMENTE]

Die Speicherkanäle eines UKW/MW-RDS-Empfängers an einer seriellen Leitung,
vom Terminal aus. Speicherdateien sind die, die das Presetta-Fenster speichert
und lädt.

Befehle:
  ports                     die seriellen Schnittstellen auflisten; * zeigt die,
                            die ohne -p benutzt wird
  download [-o DATEI]       die Kanäle vom Empfänger lesen, als Speicherdatei
                            (ohne -o auf die Standardausgabe)
  upload DATEI [--changed] [--verify]
                            jeden Kanal aus DATEI senden (je Zeile einer; Kanäle
                            hinter ihren Zeilen bleiben, wie sie sind); beim
                            ersten, den der Empfänger ablehnt, anhalten.
                            --changed: erst vom Empfänger lesen und nur die
                            abweichenden Kanäle senden. --verify: danach lesen
                            und jeden Kanal melden, der von DATEI abweicht
  update DATEI --channel N  Kanal N aus DATEI senden
  sync                      die Uhr des Empfängers auf die Ortszeit dieses
                            Rechners stellen
  show DATEI                die Kanäle aus DATEI so ausgeben, wie die Liste
                            des Fensters sie zeigt

Optionen:
  -p, --port PORT   Gerätepfad (/dev/ttyUSB0) oder Name aus &apos;ports&apos;; Vorgabe:
                    die zuletzt vom Fenster benutzte, sonst dessen erste Wahl
  -q, --quiet       keine Fortschrittsanzeige auf der Standardfehlerausgabe
  -h, --help        dieser Text
      --version     die Version des Programms

Strg+C beendet das Senden nach dem laufenden Kanal, alles andere sofort.

Rückgabewert:
  0    fertig
  2    Aufruffehler
  3    Fehler an Schnittstelle oder Verbindung: die Schnittstelle lässt sich
       nicht öffnen, die Verbindung ist abgerissen, oder der Empfänger
       antwortet nicht
  4    der Empfänger hat einen Kanal abgelehnt
  5    eine Datei ist unlesbar, keine Speicherdatei, oder ließ sich nicht
       schreiben
  6    --verify hat abweichende Kanäle gefunden
  130  abgebrochen (Strg+C)
</translation>
    </message>
    <message>
        <source>Try &apos;presetta-cli --help&apos;.</source>
        <translation>Mehr dazu mit &apos;presetta-cli --help&apos;.</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>interrupted</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>no serial port found</source>
        <translation>keine serielle Schnittstelle gefunden</translation>
    </message>
    <message>
        <source>no port named &quot;%1&quot; (see: presetta-cli ports)</source>
        <translation>keine Schnittstelle namens „%1“ (siehe: presetta-cli ports)</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>%1 lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>nothing sent: %1 has no channel lines</source>
        <translation>nichts gesendet: %1 enthält keine Kanalzeilen</translation>
    </message>
    <message>
        <source>channel %1 differs: file &quot;%2&quot;, receiver &quot;%3&quot;</source>
        <translation>Kanal %1 weicht ab: Datei „%2“, Empfänger „%3“</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keiner)</translation>
    </message>
    <message numerus="yes">
        <source>%1 has %n channel(s), the receiver %2</source>
        <translation>
            <numerusform>%1 hat %n Kanal, der Empfänger %2</numerusform>
            <numerusform>%1 hat %n Kanäle, der Empfänger %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>channel %1 is beyond the %n channel(s) of %2</source>
        <translation>
            <numerusform>Kanal %1 liegt hinter dem %n Kanal von %2</numerusform>
            <numerusform>Kanal %1 liegt hinter den %n Kanälen von %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>verified: all %n channel(s) as in %1</source>
        <translation>
            <numerusform>geprüft: %n Kanal wie in %1</numerusform>
            <numerusform>geprüft: alle %n Kanäle wie in %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Recent files</source>
        <translation>Zuletzt verwendete Dateien</translation>
    </message>
    <message>
        <source>Upload changed channels (%1)</source>
        <translation>Geänderte Kanäle senden (%1)</translation>
    </message>
    <message>
        <source>Sort by frequency</source>
        <translation>Nach Frequenz sortieren</translation>
    </message>
    <message>
        <source>Sort by name</source>
        <translation>Nach Name sortieren</translation>
    </message>
    <message>
        <source>Move empty channels to the end</source>
        <translation>Leere Kanäle ans Ende</translation>
    </message>
    <message>
        <source>Paste channels</source>
        <translation>Kanäle einfügen</translation>
    </message>
    <message>
        <source>Copy all channels</source>
        <translation>Alle Kanäle kopieren</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Find station...</source>
        <translation>Sender suchen...</translation>
    </message>
    <message>
        <source>Find next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Find previous</source>
        <translation>Rückwärts suchen</translation>
    </message>
    <message>
        <source>Edit selected channels...</source>
        <translation>Ausgewählte Kanäle bearbeiten...</translation>
    </message>
    <message>
        <source>Copy channels</source>
        <translation>Kanäle kopieren</translation>
    </message>
    <message>
        <source>Cut channels</source>
        <translation>Kanäle ausschneiden</translation>
    </message>
    <message>
        <source>Delete channels</source>
        <translation>Kanäle löschen</translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message>
        <source> ERROR</source>
        <translation> FEHLER</translation>
    </message>
    <message>
        <source>  CSV-File is not compatible!  </source>
        <translation>  CSV-Datei ist nicht kompatibel!  </translation>
    </message>
    <message>
        <source>  Line %1: %2!  </source>
        <translation>  Zeile %1: %2!  </translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <source>%1 out of range</source>
        <translation>%1 außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>Stereo</translation>
    </message>
    <message numerus="yes">
        <source>more entries than the %n memory(s)</source>
        <translation>
            <numerusform>mehr Einträge als der %n Speicherplatz</numerusform>
            <numerusform>mehr Einträge als die %n Speicherplätze</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Edit selected channels</source>
        <translation>Ausgewählte Kanäle bearbeiten</translation>
    </message>
    <message numerus="yes">
        <source>Set for %n channel(s):</source>
        <translation>
            <numerusform>Für %n Kanal setzen:</numerusform>
            <numerusform>Für %n Kanäle setzen:</numerusform>
        </translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>&amp;Bandwidth</source>
        <translation>&amp;Bandbreite</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source>&amp;Stereo</source>
        <translation>&amp;Stereo</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
</context>
<context>
    <name>EntryStatus</name>
    <message>
        <source>  Incorrect PI code!  </source>
        <translation>  Falscher PI-Code!  </translation>
    </message>
    <message>
        <source>  Memory 01 can&apos;t be empty!  </source>
        <translation>  Speicherplatz 01 darf nicht leer sein!  </translation>
    </message>
    <message>
        <source>  Mono/Stereo out of range!  </source>
        <translation>  Mono/Stereo außerhalb des Bereichs!  </translation>
    </message>
    <message>
        <source>  Bandwidth out of range!  </source>
        <translation>  Bandbreite außerhalb des Bereichs!  </translation>
    </message>
    <message>
        <source>  Memory Channel out of range!  </source>
        <translation>  Speicherplatz außerhalb des Bereichs!  </translation>
    </message>
    <message>
        <source>  Frequency out of range!  </source>
        <translation>  Frequenz außerhalb des Bereichs!  </translation>
    </message>
    <message>
        <source> ERROR: %1</source>
        <translation> FEHLER: %1</translation>
    </message>
</context>
<context>
    <name>FileRWLite</name>
    <message>
        <source>File is too large</source>
        <translation>Datei ist zu groß</translation>
    </message>
    <message>
        <source>Nothing to write</source>
        <translation>Nichts zu schreiben</translation>
    </message>
    <message>
        <source>Invalid file name</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message numerus="yes">
        <source>Only %1 of %n byte(s) could be written</source>
        <translation>
            <numerusform>Nur %1 von %n Byte ließen sich schreiben</numerusform>
            <numerusform>Nur %1 von %n Bytes ließen sich schreiben</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilesPart</name>
    <message>
        <source>CSV-Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Save Data ...</source>
        <translation>Daten speichern ...</translation>
    </message>
    <message>
        <source>  Could not save &quot;%1&quot;: %2  </source>
        <translation>  „%1“ ließ sich nicht speichern: %2  </translation>
    </message>
    <message>
        <source> ERROR</source>
        <translation> FEHLER</translation>
    </message>
    <message>
        <source>Open Data ...</source>
        <translation>Daten öffnen ...</translation>
    </message>
    <message>
        <source>Load %1</source>
        <translation>%1 laden</translation>
    </message>
    <message>
        <source>  Could not load &quot;%1&quot;: %2  </source>
        <translation>  „%1“ ließ sich nicht laden: %2  </translation>
    </message>
    <message>
        <source>  Could not read &quot;%1&quot;: %2  </source>
        <translation>  „%1“ ließ sich nicht lesen: %2  </translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>Keine zuletzt benutzten Dateien</translation>
    </message>
</context>
<context>
    <name>ListPart</name>
    <message>
        <source>Move channel %1 up</source>
        <translation>Kanal %1 nach oben</translation>
    </message>
    <message>
        <source>Move channel %1 down</source>
        <translation>Kanal %1 nach unten</translation>
    </message>
    <message>
        <source>Move channel %1 to %2</source>
        <translation>Kanal %1 nach %2 verschieben</translation>
    </message>
    <message>
        <source>Sort by frequency</source>
        <translation>Nach Frequenz sortieren</translation>
    </message>
    <message>
        <source>Sort by name</source>
        <translation>Nach Name sortieren</translation>
    </message>
    <message>
        <source>Move empty channels to the end</source>
        <translation>Leere Kanäle ans Ende</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message numerus="yes">
        <source>Paste %n channel(s)</source>
        <translation>
            <numerusform>%n Kanal einfügen</numerusform>
            <numerusform>%n Kanäle einfügen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) cut to 9 characters</source>
        <translation>
            <numerusform>%n Name auf 9 Zeichen gekürzt</numerusform>
            <numerusform>%n Namen auf 9 Zeichen gekürzt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n channel(s) up</source>
        <translation>
            <numerusform>%n Kanal nach oben</numerusform>
            <numerusform>%n Kanäle nach oben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n channel(s) down</source>
        <translation>
            <numerusform>%n Kanal nach unten</numerusform>
            <numerusform>%n Kanäle nach unten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n channel(s) to %1</source>
        <translation>
            <numerusform>%n Kanal nach %1 verschieben</numerusform>
            <numerusform>%n Kanäle nach %1 verschieben</numerusform>
        </translation>
    </message>
    <message>
        <source>Insert channel %1</source>
        <translation>Kanal %1 einfügen</translation>
    </message>
    <message numerus="yes">
        <source>Insert %n empty channel(s)</source>
        <translation>
            <numerusform>%n leeren Kanal einfügen</numerusform>
            <numerusform>%n leere Kanäle einfügen</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete channel %1</source>
        <translation>Kanal %1 löschen</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n channel(s)</source>
        <translation>
            <numerusform>%n Kanal löschen</numerusform>
            <numerusform>%n Kanäle löschen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) kept their bandwidth: their band does not offer %1</source>
        <translation>
            <numerusform>%n Kanal behält seine Bandbreite: sein Band bietet %1 nicht an</numerusform>
            <numerusform>%n Kanäle behalten ihre Bandbreite: ihr Band bietet %1 nicht an</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit channel %1</source>
        <translation>Kanal %1 bearbeiten</translation>
    </message>
    <message numerus="yes">
        <source>Edit %n channel(s)</source>
        <translation>
            <numerusform>%n Kanal bearbeiten</numerusform>
            <numerusform>%n Kanäle bearbeiten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ListSteps</name>
    <message>
        <source>Apply channel %1</source>
        <translation>Kanal %1 übernehmen</translation>
    </message>
</context>
<context>
    <name>MemoryFile</name>
    <message>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>not a memory file (no lines ended by CR LF)</source>
        <translation>keine Speicherdatei (keine mit CR LF beendeten Zeilen)</translation>
    </message>
</context>
<context>
    <name>NoticeLine</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>Virtual port</source>
        <translation>Virtuelle Schnittstelle</translation>
    </message>
    <message>
        <source>Bluetooth link</source>
        <translation>Bluetooth-Verbindung</translation>
    </message>
    <message>
        <source>Bluetooth link to %1</source>
        <translation>Bluetooth-Verbindung zu %1</translation>
    </message>
    <message>
        <source>Bluetooth link to %1, channel %2</source>
        <translation>Bluetooth-Verbindung zu %1, Kanal %2</translation>
    </message>
</context>
<context>
    <name>PortProblem</name>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>%1, process %2</source>
        <translation>%1, Prozess %2</translation>
    </message>
    <message>
        <source>%1 is not there: no such device.</source>
        <translation>%1 ist nicht vorhanden: kein solches Gerät.</translation>
    </message>
    <message>
        <source>%1 is gone: the device is no longer there. Plug it in again.</source>
        <translation>%1 ist verschwunden: das Gerät ist nicht mehr vorhanden. Bitte wieder einstecken.</translation>
    </message>
    <message>
        <source>%1 is not a serial device.</source>
        <translation>%1 ist keine serielle Schnittstelle.</translation>
    </message>
    <message>
        <source>%1 is in use by another program (%2). Close it, then connect again.</source>
        <translation>%1 wird von einem anderen Programm benutzt (%2). Dieses schließen, dann erneut verbinden.</translation>
    </message>
    <message>
        <source>No permission to use %1. Your user must be a member of the group &quot;%2&quot; (sudo usermod -aG %2 $USER), then log in again.</source>
        <translation>Keine Berechtigung für %1. Ihr Benutzer muss Mitglied der Gruppe „%2“ sein (sudo usermod -aG %2 $USER), danach neu anmelden.</translation>
    </message>
    <message>
        <source>%1 is in use by another program. Close it, then connect again.</source>
        <translation>%1 wird von einem anderen Programm benutzt. Dieses schließen, dann erneut verbinden.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>%1 lässt sich nicht öffnen: %2.</translation>
    </message>
</context>
<context>
    <name>ReceiverPart</name>
    <message>
        <source> ERROR</source>
        <translation> FEHLER</translation>
    </message>
    <message>
        <source>Upload changed channels (%1)</source>
        <translation>Geänderte Kanäle senden (%1)</translation>
    </message>
</context>
<context>
    <name>TransferWords</name>
    <message>
        <source>stopped after channel %1: %2</source>
        <translation>angehalten nach Kanal %1: %2</translation>
    </message>
    <message>
        <source>nothing sent: %1</source>
        <translation>nichts gesendet: %1</translation>
    </message>
    <message>
        <source>the receiver does not answer</source>
        <translation>der Empfänger antwortet nicht</translation>
    </message>
    <message>
        <source>the receiver sent no channel list</source>
        <translation>der Empfänger hat keine Kanalliste gesendet</translation>
    </message>
    <message>
        <source>channel %1 refused by the receiver (status %2)</source>
        <translation>Kanal %1 vom Empfänger abgelehnt (Status %2)</translation>
    </message>
    <message>
        <source>the receiver was unplugged</source>
        <translation>der Empfänger wurde getrennt</translation>
    </message>
    <message>
        <source>the link to the receiver failed</source>
        <translation>die Verbindung zum Empfänger ist ausgefallen</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>abgebrochen</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) received</source>
        <translation>
            <numerusform>%n Kanal empfangen</numerusform>
            <numerusform>%n Kanäle empfangen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) sent</source>
        <translation>
            <numerusform>%n Kanal gesendet</numerusform>
            <numerusform>%n Kanäle gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>nothing to send: the receiver holds this list</source>
        <translation>nichts zu senden: der Empfänger hat diese Liste schon</translation>
    </message>
    <message numerus="yes">
        <source>%n changed channel(s) sent</source>
        <translation>
            <numerusform>%n geänderter Kanal gesendet</numerusform>
            <numerusform>%n geänderte Kanäle gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>channel %1 sent</source>
        <translation>Kanal %1 gesendet</translation>
    </message>
    <message>
        <source>clock set to %1</source>
        <translation>Uhr gestellt auf %1</translation>
    </message>
    <message>
        <source>Uploading %1/%2</source>
        <translation>Sende %1/%2</translation>
    </message>
    <message numerus="yes">
        <source>Downloading: %n byte(s)</source>
        <translation>
            <numerusform>Lese: %n Byte</numerusform>
            <numerusform>Lese: %n Bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WindowOptions</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>Keeps the memory channels of an FM/AM RDS receiver on a serial port.</source>
        <translation>Verwaltet die Speicherkanäle eines UKW/MW-RDS-Empfängers an einer seriellen Schnittstelle.</translation>
    </message>
    <message>
        <source>A memory file to load instead of the automatic one.</source>
        <translation>Eine Speicherdatei, die statt der automatischen geladen wird.</translation>
    </message>
    <message>
        <source>One file at most.</source>
        <translation>Höchstens eine Datei.</translation>
    </message>
    <message>
        <source>Try &apos;presetta --help&apos;.</source>
        <translation>Mehr dazu mit &apos;presetta --help&apos;.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>[FILE]</source>
        <translation>[DATEI]</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source> Sync Time ... </source>
        <translation> Uhrzeit stellen ... </translation>
    </message>
    <message>
        <source>Sync Time ...</source>
        <translation>Uhrzeit stellen ...</translation>
    </message>
    <message>
        <source> Download all Data from Radio ... </source>
        <translation> Alle Daten vom Radio lesen ... </translation>
    </message>
    <message>
        <source>Download all Data from Radio ...</source>
        <translation>Alle Daten vom Radio lesen ...</translation>
    </message>
    <message>
        <source> Upload all Data to Radio ... </source>
        <translation> Alle Daten zum Radio senden ... </translation>
    </message>
    <message>
        <source>Upload all Data to Radio ...</source>
        <translation>Alle Daten zum Radio senden ...</translation>
    </message>
    <message>
        <source> Refresh COM-Port list ... </source>
        <translation> Liste der COM-Ports aktualisieren ... </translation>
    </message>
    <message>
        <source>Refresh COM-Port list ...</source>
        <translation>Liste der COM-Ports aktualisieren ...</translation>
    </message>
    <message>
        <source> Select COM-Port ... </source>
        <translation> COM-Port wählen ... </translation>
    </message>
    <message>
        <source>Select COM-Port ...</source>
        <translation>COM-Port wählen ...</translation>
    </message>
    <message>
        <source>    &amp;Connect</source>
        <translation>   &amp;Verbinden</translation>
    </message>
    <message>
        <source> Connect / Disconnect ... </source>
        <translation> Verbinden / Trennen ... </translation>
    </message>
    <message>
        <source>Connect / Disconnect ...</source>
        <translation>Verbinden / Trennen ...</translation>
    </message>
    <message>
        <source>Line activity</source>
        <translation>Leitungsaktivität</translation>
    </message>
    <message>
        <source> TX </source>
        <translation> TX </translation>
    </message>
    <message>
        <source>TX</source>
        <translation>TX</translation>
    </message>
    <message>
        <source> RX </source>
        <translation> RX </translation>
    </message>
    <message>
        <source>RX</source>
        <translation>RX</translation>
    </message>
    <message>
        <source>Memory list group</source>
        <translation>Gruppe Speicherliste</translation>
    </message>
    <message>
        <source>Memory list</source>
        <translation>Speicherliste</translation>
    </message>
    <message>
        <source> Load Data from File ... </source>
        <translation> Daten aus Datei laden ... </translation>
    </message>
    <message>
        <source>Load Data from File ...</source>
        <translation>Daten aus Datei laden ...</translation>
    </message>
    <message>
        <source> Save Data to File ... </source>
        <translation> Daten in Datei speichern ... </translation>
    </message>
    <message>
        <source>Save Data to File ...</source>
        <translation>Daten in Datei speichern ...</translation>
    </message>
    <message>
        <source> Move current entry Up ... </source>
        <translation> Aktuellen Eintrag nach oben ... </translation>
    </message>
    <message>
        <source>Move current entry Up ...</source>
        <translation>Aktuellen Eintrag nach oben ...</translation>
    </message>
    <message>
        <source> Move current entry Down ... </source>
        <translation> Aktuellen Eintrag nach unten ... </translation>
    </message>
    <message>
        <source>Move current entry Down ...</source>
        <translation>Aktuellen Eintrag nach unten ...</translation>
    </message>
    <message>
        <source> Insert new entry ...</source>
        <translation> Neuen Eintrag einfügen ...</translation>
    </message>
    <message>
        <source>Insert new entry ...</source>
        <translation>Neuen Eintrag einfügen ...</translation>
    </message>
    <message>
        <source> Remove current entry ... </source>
        <translation> Aktuellen Eintrag entfernen ... </translation>
    </message>
    <message>
        <source>Remove current entry ...</source>
        <translation>Aktuellen Eintrag entfernen ...</translation>
    </message>
    <message>
        <source>Entry editor</source>
        <translation>Eintrag bearbeiten</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source> Band </source>
        <translation> Band </translation>
    </message>
    <message>
        <source>&amp;Freq. KHz</source>
        <translation>&amp;Freq. kHz</translation>
    </message>
    <message>
        <source>Freq. KHz</source>
        <translation>Freq. kHz</translation>
    </message>
    <message>
        <source> Frequency </source>
        <translation> Frequenz </translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>&amp;Name (PS)</source>
        <translation>&amp;Name (PS)</translation>
    </message>
    <message>
        <source>Name (PS)</source>
        <translation>Name (PS)</translation>
    </message>
    <message>
        <source> Station Name </source>
        <translation> Sendername </translation>
    </message>
    <message>
        <source>Station Name</source>
        <translation>Sendername</translation>
    </message>
    <message>
        <source>&amp;PI-Code</source>
        <translation>&amp;PI-Code</translation>
    </message>
    <message>
        <source>PI-Code</source>
        <translation>PI-Code</translation>
    </message>
    <message>
        <source> PI-Code (RDS) </source>
        <translation> PI-Code (RDS) </translation>
    </message>
    <message>
        <source>PI-Code (RDS)</source>
        <translation>PI-Code (RDS)</translation>
    </message>
    <message>
        <source>&amp;Bandwidth</source>
        <translation>&amp;Bandbreite</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source> Bandwidth </source>
        <translation> Bandbreite </translation>
    </message>
    <message>
        <source>&amp;Stereo</source>
        <translation>&amp;Stereo</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source> Mono (Off) / Stereo (Auto) </source>
        <translation> Mono (Aus) / Stereo (Auto) </translation>
    </message>
    <message>
        <source>Mono (Off) / Stereo (Auto)</source>
        <translation>Mono (Aus) / Stereo (Auto)</translation>
    </message>
    <message>
        <source> Apply changes to the List ... </source>
        <translation> Änderungen in die Liste übernehmen ... </translation>
    </message>
    <message>
        <source>Apply changes to the List ...</source>
        <translation>Änderungen in die Liste übernehmen ...</translation>
    </message>
    <message>
        <source> Update only current entry to Radio ... </source>
        <translation> Nur den aktuellen Eintrag zum Radio senden ... </translation>
    </message>
    <message>
        <source>Update only current entry to Radio ...</source>
        <translation>Nur den aktuellen Eintrag zum Radio senden ...</translation>
    </message>
    <message>
        <source> Clear current entry in List ... </source>
        <translation> Aktuellen Eintrag in der Liste leeren ... </translation>
    </message>
    <message>
        <source>Clear current entry in List ...</source>
        <translation>Aktuellen Eintrag in der Liste leeren ...</translation>
    </message>
    <message>
        <source>  The memory list has changes that are not saved. Save them?  </source>
        <translation>  Die Speicherliste hat ungespeicherte Änderungen. Speichern?  </translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Vom Radio lesen</translation>
    </message>
    <message>
        <source> Find station by name, PI-Code or frequency </source>
        <translation> Sender nach Name, PI-Code oder Frequenz suchen </translation>
    </message>
    <message>
        <source>Find station by name, PI-Code or frequency</source>
        <translation>Sender nach Name, PI-Code oder Frequenz suchen</translation>
    </message>
    <message>
        <source>Name, PI-Code, frequency</source>
        <translation>Name, PI-Code, Frequenz</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
</TS>
