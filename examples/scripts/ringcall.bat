@echo off
rem A BBS login script's use of ringcheck.  Checks the caller of the
rem current call and tells the BBS what to do through its errorlevel:
rem   0  let the caller in
rem   1  refuse the call
rem Usage: ringcall.bat "LOGIN NAME"
rem The defaults below are where the package's guide installs ringcheck and
rem what its RINGCHECK.CFG says (TORNADOPATH and OUTFILE); set RINGCHECK,
rem RINGCHECK_CONFIG and RESULT_FILE to name other places.
rem
rem The caller chooses the login name and every string of their users.tor
rem record, so any of them may hold & | < > ^ ( ) %% ! " or blanks.  No
rem such value is put where cmd parses a line: it is stored only from a
rem for variable with delayed expansion off (so that a ! or ^ in it stays)
rem and used only as !NAME!, and cmd substitutes both after it has split
rem the line into commands.  Every echo starts with fixed text, so that no
rem value makes it "echo off" or "echo /?".
rem
rem The one exception is the "set" that takes the argument, %%~1.  cmd has
rem parsed the name once already, in the BBS's command line that started
rem this script, inside double quotes; here it is inside them again, where
rem nothing in it means anything, and cmd does not look for %% in text it
rem has just expanded.  That holds for every name without a double quote.
rem A quote in a name ends the quoting on the BBS's command line itself:
rem the name is cut up or runs commands there, before this script starts,
rem or it arrives changed (a ^ outside the quotes taken as an escape) and
rem can run a command in the "set" below.  Reading %%1 unparsed would take
rem echoing it through a REM into a temporary file, and would still not
rem give the name as typed, so the BBS has to keep double quotes out of
rem login names.  When the BBS starts this script through "cmd /c", that
rem cmd also expands a %%NAME%% of a defined variable in the name.
setlocal EnableExtensions DisableDelayedExpansion
if not defined RINGCHECK set "RINGCHECK=C:\RINGCHECK\RINGCHECK.EXE"
if not defined RINGCHECK_CONFIG set "RINGCHECK_CONFIG=C:\RINGCHECK\RINGCHECK.CFG"
if not defined RESULT_FILE set "RESULT_FILE=C:\TORNADO\AON.TMP"
set "LOGIN=%~1"

rem ringcheck splits its command line as Windows programs do, so a name
rem ending in a backslash reaches it with a double quote in place of the
rem backslash; only its exempt-name check sees the name.
setlocal EnableDelayedExpansion
if defined LOGIN (
  "!RINGCHECK!" "!RINGCHECK_CONFIG!" "!LOGIN!" > nul
) else (
  "!RINGCHECK!" "!RINGCHECK_CONFIG!" > nul
)
endlocal & set "STATUS=%ERRORLEVEL%"

rem Errorlevel 7: the result file could not be written; lines left in it
rem belong to another call.  So do they after any status that is none of
rem ringcheck's: 9009 is cmd's when the program is not there, a crash
rem gives another.
if "%STATUS%"=="7" goto unchecked
if "%STATUS%"=="5" goto unchecked
if "%STATUS%"=="9009" goto notstarted
set "OWN="
for %%S in (0 1 2 3 4) do if "%STATUS%"=="%%S" set "OWN=1"
if not defined OWN goto foreign

rem The result file, line by line.  findstr /n numbers every line, empty
rem ones too, which a plain "for /f" would skip.  ROWn keeps line n whole,
rem with its "n:" in front, and is what the decisions compare; TEXTn is
rem line n as shown, from a "for /f" that cuts at the colon and so also
rem drops the line's own leading colons.  Each output line of findstr
rem goes to the first ROWn still empty, as cutting its "n:" off would take
rem a %%ROW:~2%%, which cmd parses.
for %%N in (1 2 3 4 5 6 7) do (
  set "ROW%%N="
  set "TEXT%%N="
)
for /f "delims=" %%L in ('findstr /n "^" "%RESULT_FILE%" 2^>nul') do (
  set "TAKEN="
  for %%N in (1 2 3 4 5 6 7) do (
    if not defined TAKEN if not defined ROW%%N (
      set "ROW%%N=%%L"
      set "TAKEN=1"
    )
  )
)
for /f "tokens=1* delims=:" %%A in ('findstr /n "^" "%RESULT_FILE%" 2^>nul') do set "TEXT%%A=%%B"
for %%N in (1 2 3 4 5 6 7) do if not defined ROW%%N set "ROW%%N=%%N:"

rem Line 6 is the status ringcheck wrote with the lines.  Unless it is the
rem one it has just returned, the file was not read, or the lines are
rem another call's (RESULT_FILE is not where the configuration writes, or
rem another line's call wrote them).
setlocal EnableDelayedExpansion
if not "!ROW6!"=="6:%STATUS%" goto stale
echo call from number [!TEXT4!] (phone type [!TEXT5!]), !TEXT7!

if "%STATUS%"=="3" goto banned
if "%STATUS%"=="4" goto exempt
if "%STATUS%"=="1" goto missing
if "%STATUS%"=="2" goto missing
if "!ROW4!"=="4:" goto noid
if not defined LOGIN goto nologin
if "!ROW1!"=="1:" goto stranger
if "!ROW1!"=="1:!LOGIN!" goto owner
echo login [!LOGIN!] calls from [!TEXT1!]'s number: refusing the call
exit /b 1

:nologin
echo no login name given; number [!TEXT4!] is [!TEXT1!]'s
exit /b 0
:owner
echo login [!LOGIN!] calls from their own number
exit /b 0
:stranger
echo number [!TEXT4!] belongs to no subscriber: [!LOGIN!] may register as a new user
exit /b 0
:noid
echo no caller id for this call: letting [!LOGIN!] in
exit /b 0
:banned
echo number [!TEXT4!] is banned: refusing the call
exit /b 1
:exempt
echo login [!LOGIN!] is exempt from the phone check
exit /b 0
:missing
echo the station's mailer log or user base is missing: letting [!LOGIN!] in
exit /b 0
:notstarted
setlocal EnableDelayedExpansion
echo the program [!RINGCHECK!] could not be started
goto unchecked
:foreign
echo status %STATUS% is none of ringcheck's
goto unchecked
:stale
echo the result file [!RESULT_FILE!] does not hold this call's lines
:unchecked
setlocal EnableDelayedExpansion
echo ringcheck could not check this call (status %STATUS%): letting [!LOGIN!] in
exit /b 0
