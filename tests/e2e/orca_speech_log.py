#!/usr/bin/python3
"""Runs the screen reader with its debug log line-buffered, so that what it speaks can be read
while it runs. Usage: orca_speech_log.py LOG [ORCA OPTIONS...]

The reader opens its debug file block-buffered: the last lines of a burst would stay in memory
until the next burst or until it ends. Only that one file is opened line-buffered; everything
else runs as the installed reader does it.
"""
import builtins
import runpy
import sys

READER = "/usr/bin/orca"

log_path = sys.argv[1]
opened_by_python = builtins.open


def open_log_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == log_path and "w" in mode:
        buffering = 1
    return opened_by_python(file, mode, buffering, *args, **kwargs)


builtins.open = open_log_line_buffered
sys.argv = [READER, "--debug-file", log_path] + sys.argv[2:]
runpy.run_path(READER, run_name="__main__")
