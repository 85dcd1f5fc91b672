@echo off
rem Runs every test beside this file: run-tests.cmd [gtest-filter]
setlocal DisableDelayedExpansion
rem Double-clicked, cmd runs this with /c and closes its window at the end:
rem the runner then waits for a key if the window is its own.
setlocal EnableDelayedExpansion
set "own="
if /i not "!cmdcmdline:/c=!"=="!cmdcmdline!" set "own=--pause-if-own-window"
endlocal & set "own=%own%"
"%~dp0ravlo_test_runner.exe" %own% "--filter=%~1" ravlo_portable_tests.exe ravlo_tests.exe ravlo_e2e.exe
exit /b %errorlevel%
