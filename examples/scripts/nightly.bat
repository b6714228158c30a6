@echo off
rem Last night's calls in the sysop's netmail: run by the mailer's morning
rem event or by the Windows scheduler, ringcheck-explain writes the call
rem history since yesterday morning as one netmail message into the
rem station's netmail folder, where the reader shows it and the tosser
rem sends it on to the sysop's point.
rem Usage: nightly.bat
rem Write your station's own address, zone:net/node, in the ADDRESS line
rem below and take the rem off it, and your netmail folder in the NETMAIL
rem line (or set ADDRESS and NETMAIL before the script runs); set
rem TO_ADDRESS to the point you read your mail at,
rem when not the station itself (the tosser must route netmail there); TO
rem to your name in the reader (Sysop when not set); SINCE and UNTIL to
rem when the night begins and ends ("yesterday 07:00" and "today 07:00"
rem when not set: a job at 07:00 then reports each call once, a call the
rem job's own minute sees in the next morning's message).  RINGCHECK_EXPLAIN and RINGCHECK_CONFIG name
rem the program and the configuration, where the package's guide installs
rem them when not set.
rem
rem The values are the sysop's own, yet none is put where cmd parses a
rem line: each reaches the program as !NAME! inside double quotes, which
rem cmd substitutes after it has split the line into commands, so that a
rem & ^ ( ) or blank in a folder's name stays part of it.
setlocal EnableExtensions DisableDelayedExpansion
rem if not defined ADDRESS set "ADDRESS=2:5020/100"
if not defined NETMAIL set "NETMAIL=C:\FIDO\NETMAIL"
if not defined RINGCHECK_EXPLAIN set "RINGCHECK_EXPLAIN=C:\RINGCHECK\RINGCHECK-EXPLAIN.EXE"
if not defined RINGCHECK_CONFIG set "RINGCHECK_CONFIG=C:\RINGCHECK\RINGCHECK.CFG"
if not defined TO set "TO=Sysop"
if not defined SINCE set "SINCE=yesterday 07:00"
if not defined UNTIL set "UNTIL=today 07:00"
if not defined ADDRESS goto noaddress

setlocal EnableDelayedExpansion
if not defined TO_ADDRESS set "TO_ADDRESS=!ADDRESS!"
"!RINGCHECK_EXPLAIN!" --calls "!RINGCHECK_CONFIG!" --since "!SINCE!" --until "!UNTIL!" --netmail "!NETMAIL!" --address "!ADDRESS!" --to-address "!TO_ADDRESS!" --to "!TO!"
endlocal & set "STATUS=%ERRORLEVEL%"

rem 0: written; 2: written, without subscribers (users.tor not read); 7:
rem the folder is not there or cannot be written; 5: a bad address, name or
rem day; 9009 is cmd's when the program is not there.
if "%STATUS%"=="0" exit /b 0
if "%STATUS%"=="2" exit /b 2
if "%STATUS%"=="9009" goto notstarted
echo nightly.bat: no message written (status %STATUS%)
exit /b %STATUS%

:noaddress
echo nightly.bat: write the station's own address, zone:net/node, in its ADDRESS line
exit /b 5
:notstarted
setlocal EnableDelayedExpansion
echo nightly.bat: the program [!RINGCHECK_EXPLAIN!] could not be started
exit /b 9009
