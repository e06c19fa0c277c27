<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Corrections</name>
    <message numerus="yes">
        <source>Withdraw the last draw of %1? Its %n name(s) leave the winners and go back into the draw where they stood.</source>
        <translation>
            <numerusform>Withdraw the last draw of %1? Its %n name leaves the winners and goes back into the draw where it stood.</numerusform>
            <numerusform>Withdraw the last draw of %1? Its %n names leave the winners and go back into the draw where they stood.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move the last draw (%n name(s)) from %1 to %2?</source>
        <translation>
            <numerusform>Move the last draw (%n name) from %1 to %2?</numerusform>
            <numerusform>Move the last draw (%n names) from %1 to %2?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Mark %n winner(s) of %1 absent: %2?

They leave the winners and do not go back into the draw; %1 is then selected with the draw size %n to draw their replacements.</source>
        <translation>
            <numerusform>Mark %n winner of %1 absent: %2?

They leave the winners and do not go back into the draw; %1 is then selected with the draw size %n to draw a replacement.</numerusform>
            <numerusform>Mark %n winners of %1 absent: %2?

They leave the winners and do not go back into the draw; %1 is then selected with the draw size %n to draw their replacements.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Record</name>
    <message numerus="yes">
        <source>The winners record names winners of %1, but the prize count (line 6 of 基础配置.ini) shows only %n prize(s). These winners stay in the record and out of the draw; correct the prize count and restart to show them.</source>
        <translation>
            <numerusform>The winners record names winners of %1, but the prize count (line 6 of 基础配置.ini) shows only %n prize. These winners stay in the record and out of the draw; correct the prize count and restart to show them.</numerusform>
            <numerusform>The winners record names winners of %1, but the prize count (line 6 of 基础配置.ini) shows only %n prizes. These winners stay in the record and out of the draw; correct the prize count and restart to show them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The previous record names %n winner(s). Starting afresh puts them all back into the draw, where they can win again.

Continue the previous record?</source>
        <translation>
            <numerusform>The previous record names %n winner. Starting afresh puts this winner back into the draw, where they can win again.

Continue the previous record?</numerusform>
            <numerusform>The previous record names %n winners. Starting afresh puts them all back into the draw, where they can win again.

Continue the previous record?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StaffList</name>
    <message numerus="yes">
        <source>Imported %n name(s) from &quot;%1&quot; into the pool and the candidate list file.</source>
        <translation>
            <numerusform>Imported %n name from &quot;%1&quot; into the pool and the candidate list file.</numerusform>
            <numerusform>Imported %n names from &quot;%1&quot; into the pool and the candidate list file.</numerusform>
        </translation>
    </message>
</context>
</TS>
