#!/bin/bash
# Machine set-up that the Wine tests rely on, run by './ferrow.sh test' inside
# the private prefix: nothing here is needed yet.
exit 0
