@echo off
rem Start-up of the operator terminal: language set, then the runtime.
set TAVOLANG=049
call auto.bat
