#!/bin/bash
# Machine set-up that the Wine tests rely on, run by './ferrow.sh test' inside
# the private prefix, before any test starts. Services started here stay up
# for the whole run; their pids go to $FERROW_TEST_PIDFILE for ferrow.sh to stop.
set -u

record_pid() {
    [ -n "${FERROW_TEST_PIDFILE:-}" ] && echo "$1" >>"$FERROW_TEST_PIDFILE"
}

# --- printing: a CUPS PDF printer as the system's default ---------------------
# The print tests print for real: CUPS with the cups-pdf backend writes each
# job as a PDF into the printing user's ~/PDF. Wine reads the printers from
# CUPS when a program starts, so cupsd must be up before the first test.
cups_running() {
    [ -S /run/cups/cups.sock ] && lpstat -r 2>/dev/null | grep -q 'is running'
}

start_pdf_printer() {
    # This machine's own scheduler answers on its socket; lpstat without it
    # would ask whatever listens on localhost:631 (in a chroot, the host's).
    if ! cups_running; then
        mkdir -p /run/cups
        /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
        local pid=$! i
        record_pid "$pid"
        for i in $(seq 1 100); do
            cups_running && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        cups_running || {
            echo "test-setup: cupsd did not start" >&2
            return 1
        }
    fi
    # lpadmin warns that printer drivers are deprecated; the PPD still works.
    lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null || {
        echo "test-setup: cannot add the PDF printer" >&2
        return 1
    }
    lpoptions -d PDF >/dev/null || return 1
    lpstat -d 2>/dev/null | grep -q 'system default destination: PDF$' || {
        echo "test-setup: the PDF printer is not the default" >&2
        return 1
    }
}

start_pdf_printer || exit 1
exit 0
