@REM 前回の設定で水平寸法線を作図・設定画面なし（tarvik）
@echo off
REM #jww
REM #cd
REM #hr
REM #1- 計測点（始点）を指示してください (L)free (R)Read
REM #2 計測点（終点）を指示してください (L)free (R)Read
REM #3- 寸法線の位置を指示してください (L)free (R)Read
REM #4 寸法値の位置を指示してください (L)free (R)Read
REM #e
"%~dp0tarvik.exe" /horizontal /quick
