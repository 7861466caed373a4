@echo off
rem Starts the terminal runtime on drive D.
d:
if exist Project.run tavort Project.run
if exist 00100000.PRJ tavort 00100000.PRJ
