<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
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
