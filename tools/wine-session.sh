# Sourced by the run and test scripts: a private X server, a reusable Wine prefix with
# a persistent wineserver, and (for printing tests) a CUPS queue that prints to PDF.
# `wine_session_start` exports DISPLAY/WINEPREFIX; `wine_session_stop` stops only
# what it started, by process id.

WINE_SESSION_DIR=${WINE_SESSION_DIR:-$PWD/build/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$WINE_SESSION_DIR/prefix

# `wine_session_start printer` also sets up the PDF printer queue.
wine_session_start() {
    mkdir -p "$WINE_SESSION_DIR"
    if [ -z "${TALLYMAX_KEEP_DISPLAY:-}" ]; then
        local n
        for n in $(seq 80 120); do
            [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
        done
        export DISPLAY=:$n
        Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        echo $! >"$WINE_SESSION_DIR/xvfb.pid"
        for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
    [ "${1:-}" = printer ] && wine_session_start_printer
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 || true
        # Without a window manager every hidden window would wait 2 s for one.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        # The classic look, as on a Windows desktop without visual styles.
        wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
            /v ThemeActive /d 0 /f </dev/null >/dev/null 2>&1
        wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
            /v DllName /f </dev/null >/dev/null 2>&1
    fi
    # Wine's own Tahoma and Marlett, so that captions are measured as on Windows.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/tahoma.ttf" ]; then
        mkdir -p "$fonts" && cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
    fi
    # One persistent server with its services started up front, their output sent
    # away, so that they never hold a test runner's pipe open.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1 || true
}

# Each session has a queue of its own, named after its folder, and makes it the default
# through PRINTER, so that sessions of several work trees can print side by side.
wine_session_printer_name() {
    echo "TallymaxPDF$(printf '%s' "$WINE_SESSION_DIR" | cksum | cut -d' ' -f1)"
}

wine_session_start_printer() {
    command -v cupsd >/dev/null || return 0
    local queue
    queue=$(wine_session_printer_name)
    export PRINTER=$queue LPDEST=$queue
    export TALLYMAX_PDF_DIR=$WINE_SESSION_DIR/pdf
    mkdir -p "$TALLYMAX_PDF_DIR"
    if ! lpstat -r 2>/dev/null | grep -q 'scheduler is running'; then
        cupsd -f </dev/null >"$WINE_SESSION_DIR/cupsd.log" 2>&1 &
        echo $! >"$WINE_SESSION_DIR/cupsd.pid"
        for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'scheduler is running' && break; sleep 0.1; done
    fi
    printf 'Out %s\n' "$TALLYMAX_PDF_DIR" >"/etc/cups/cups-pdf-$queue.conf"
    echo "$queue" >"$WINE_SESSION_DIR/printer.owned"
    lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        -o printer-is-shared=false >/dev/null 2>&1 || true
}

wine_session_stop() {
    wineserver -k 2>/dev/null || true
    # The queue goes first, while the scheduler that holds it still runs; a stop never
    # fails the command that called it.
    if [ -f "$WINE_SESSION_DIR/printer.owned" ]; then
        local queue
        queue=$(cat "$WINE_SESSION_DIR/printer.owned")
        if [ -n "$queue" ]; then lpadmin -x "$queue" >/dev/null 2>&1 || true; fi
        rm -f "/etc/cups/cups-pdf-$queue.conf" "$WINE_SESSION_DIR/printer.owned"
    fi
    # The scheduler serves every session on the machine: one that another session's
    # queue still needs is left running (its pid file stays, so a later stop of this
    # session ends it once nobody needs it).
    local queues
    queues=$(lpstat -v 2>/dev/null || true)
    if [ -f "$WINE_SESSION_DIR/cupsd.pid" ] && [[ $queues != *TallymaxPDF* ]]; then
        local pid
        pid=$(cat "$WINE_SESSION_DIR/cupsd.pid")
        if [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = cupsd ]; then kill "$pid" 2>/dev/null || true; fi
        rm -f "$WINE_SESSION_DIR/cupsd.pid"
    fi
    if [ -f "$WINE_SESSION_DIR/xvfb.pid" ]; then
        kill "$(cat "$WINE_SESSION_DIR/xvfb.pid")" 2>/dev/null || true
        rm -f "$WINE_SESSION_DIR/xvfb.pid"
    fi
    return 0
}
