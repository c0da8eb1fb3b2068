REM 指示した点の座標を文字で記入（座標記入）
@echo off
REM #jww
REM #cd
REM #hr
REM #1 座標を記入する点を指示してください (L)free (R)Read
REM #99#
REM #e
"%~dp0coordinate-labels.exe"
