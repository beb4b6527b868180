#!/bin/sh
# Runs a program for help2man and writes its first "usage:" as "Usage:", the only spelling
# help2man takes for the manual page's SYNOPSIS.
"$@" | sed '1s/^usage:/Usage:/'
