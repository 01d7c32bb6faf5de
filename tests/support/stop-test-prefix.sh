#!/bin/sh
# Ends the test run's wineserver.
WINEPREFIX="$1" wineserver -k 2>/dev/null || true
