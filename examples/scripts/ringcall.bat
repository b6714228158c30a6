@echo off
rem A BBS login script's use of ringcheck.  Checks the caller of the
rem current call and tells the BBS what to do through its errorlevel:
rem   0  let the caller in
rem   1  refuse the call
rem Usage: ringcall.bat "LOGIN NAME"
rem Set RINGCHECK, RINGCHECK_CONFIG and RESULT_FILE to this station's places.
setlocal EnableExtensions DisableDelayedExpansion
if not defined RINGCHECK set RINGCHECK=C:\TORNADO\RINGCHECK\ringcheck.exe
if not defined RINGCHECK_CONFIG set RINGCHECK_CONFIG=C:\TORNADO\RINGCHECK\ringcheck.cfg
if not defined RESULT_FILE set RESULT_FILE=C:\TORNADO\aon.tmp
set "LOGIN=%~1"

if defined LOGIN ("%RINGCHECK%" "%RINGCHECK_CONFIG%" "%LOGIN%" > nul) else ("%RINGCHECK%" "%RINGCHECK_CONFIG%" > nul)
set STATUS=%ERRORLEVEL%

rem Errorlevel 7: the result file could not be written; lines left in it
rem belong to another call.
if %STATUS%==7 goto unchecked
if %STATUS%==5 goto unchecked

rem The result file, line by line.  findstr /n numbers every line, empty
rem ones too, which a plain "for /f" would skip.
for %%N in (1 2 3 4 5 6 7) do set "LINE%%N="
for /f "tokens=1* delims=:" %%A in ('findstr /n "^" "%RESULT_FILE%"') do set "LINE%%A=%%B"
set "SUBSCRIBER=%LINE1%"
set "NUMBER=%LINE4%"
set "PHONETYPE=%LINE5%"
echo call from number [%NUMBER%] (phone type [%PHONETYPE%]), %LINE7%

if %STATUS%==3 goto banned
if %STATUS%==4 goto exempt
if %STATUS%==1 goto missing
if %STATUS%==2 goto missing
if not defined NUMBER goto noid
if not defined LOGIN goto nologin
if not defined SUBSCRIBER goto stranger
if "%SUBSCRIBER%"=="%LOGIN%" goto owner
echo %LOGIN% calls from %SUBSCRIBER%'s number: refusing the call
exit /b 1

:nologin
echo no login name given; number %NUMBER% is [%SUBSCRIBER%]'s
exit /b 0
:owner
echo %LOGIN% calls from their own number
exit /b 0
:stranger
echo number %NUMBER% belongs to no subscriber: %LOGIN% may register as a new user
exit /b 0
:noid
echo no caller id for this call: letting %LOGIN% in
exit /b 0
:banned
echo number %NUMBER% is banned: refusing the call
exit /b 1
:exempt
echo %LOGIN% is exempt from the phone check
exit /b 0
:missing
echo the station's mailer log or user base is missing: letting %LOGIN% in
exit /b 0
:unchecked
echo ringcheck could not check this call (errorlevel %STATUS%): letting %LOGIN% in
exit /b 0
