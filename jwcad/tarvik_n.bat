@REM 前回の連続寸法に続けて作図・２点指示（tarvik）
@echo off
REM #jww
REM #cd
REM #hr
REM #1- 次の計測点を指示してください (L)free (R)Read
REM #2 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0tarvik.exe" /next /quick
