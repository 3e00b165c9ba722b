@echo off
rem Builds the project; usage: build.bat [debug]
:: a second kind of comment
setlocal
set CONFIG=release
if "%1"=="debug" set CONFIG=debug
if not exist build mkdir build
cd build
for %%f in (*.obj) do del %%f
call :compile %CONFIG% 2
if errorlevel 1 goto failed
echo Build finished: %CONFIG% 1.5
goto :eof

:compile
ECHO Compiling %~1 ...
cl /nologo /O2 main.c
exit /b 0

:failed
Echo Build FAILED & pause
REM done
