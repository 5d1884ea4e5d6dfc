<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CliRunner</name>
    <message numerus="yes">
        <source>%1 has %n channel(s), the receiver %2</source>
        <translation>
            <numerusform>%1 has %n channel, the receiver %2</numerusform>
            <numerusform>%1 has %n channels, the receiver %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>channel %1 is beyond the %n channel(s) of %2</source>
        <translation>
            <numerusform>channel %1 is beyond the %n channel of %2</numerusform>
            <numerusform>channel %1 is beyond the %n channels of %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>verified: all %n channel(s) as in %1</source>
        <translation>
            <numerusform>verified: %n channel as in %1</numerusform>
            <numerusform>verified: all %n channels as in %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message numerus="yes">
        <source>more entries than the %n memory(s)</source>
        <translation>
            <numerusform>more entries than the %n memory</numerusform>
            <numerusform>more entries than the %n memories</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message numerus="yes">
        <source>Set for %n channel(s):</source>
        <translation>
            <numerusform>Set for %n channel:</numerusform>
            <numerusform>Set for %n channels:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileRWLite</name>
    <message numerus="yes">
        <source>Only %1 of %n byte(s) could be written</source>
        <translation>
            <numerusform>Only %1 of %n byte could be written</numerusform>
            <numerusform>Only %1 of %n bytes could be written</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ListPart</name>
    <message numerus="yes">
        <source>Paste %n channel(s)</source>
        <translation>
            <numerusform>Paste %n channel</numerusform>
            <numerusform>Paste %n channels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) cut to 9 characters</source>
        <translation>
            <numerusform>%n name cut to 9 characters</numerusform>
            <numerusform>%n names cut to 9 characters</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n channel(s) up</source>
        <translation>
            <numerusform>Move %n channel up</numerusform>
            <numerusform>Move %n channels up</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n channel(s) down</source>
        <translation>
            <numerusform>Move %n channel down</numerusform>
            <numerusform>Move %n channels down</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n channel(s) to %1</source>
        <translation>
            <numerusform>Move %n channel to %1</numerusform>
            <numerusform>Move %n channels to %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Insert %n empty channel(s)</source>
        <translation>
            <numerusform>Insert %n empty channel</numerusform>
            <numerusform>Insert %n empty channels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n channel(s)</source>
        <translation>
            <numerusform>Delete %n channel</numerusform>
            <numerusform>Delete %n channels</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) kept their bandwidth: their band does not offer %1</source>
        <translation>
            <numerusform>%n channel kept its bandwidth: its band does not offer %1</numerusform>
            <numerusform>%n channels kept their bandwidth: their band does not offer %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Edit %n channel(s)</source>
        <translation>
            <numerusform>Edit %n channel</numerusform>
            <numerusform>Edit %n channels</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TransferWords</name>
    <message numerus="yes">
        <source>%n channel(s) received</source>
        <translation>
            <numerusform>%n channel received</numerusform>
            <numerusform>%n channels received</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) sent</source>
        <translation>
            <numerusform>%n channel sent</numerusform>
            <numerusform>%n channels sent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n changed channel(s) sent</source>
        <translation>
            <numerusform>%n changed channel sent</numerusform>
            <numerusform>%n changed channels sent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Downloading: %n byte(s)</source>
        <translation>
            <numerusform>Downloading: %n byte</numerusform>
            <numerusform>Downloading: %n bytes</numerusform>
        </translation>
    </message>
</context>
</TS>
