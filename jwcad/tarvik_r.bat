@REM 垂直の連続寸法を作図・２つ目から２点指示（tarvik）
@echo off
REM #jww
REM #cd
REM #h/tarvik_n.bat
REM #1- 計測点（始点）を指示してください (L)free (R)Read
REM #2 計測点（終点）を指示してください (L)free (R)Read
REM #3- 寸法線の位置を指示してください (L)free (R)Read
REM #4 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0tarvik.exe" /quick
