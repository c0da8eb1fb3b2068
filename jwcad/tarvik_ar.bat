@REM 斜めの連続寸法を作図・２つ目から２点指示（tarvik）
@echo off
REM #jww
REM #cd
REM #h/tarvik_n.bat
REM #1- 斜めに測る始点を指示してください (L)free (R)Read
REM #2 斜めに測る終点を指示してください (L)free (R)Read
REM #3- 寸法線が通る点を指示してください (L)free (R)Read
REM #4 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0tarvik.exe" /aligned /quick
