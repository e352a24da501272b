# Sourced: the private Wine environment of this checkout (never the user's own prefix or HOME).
# ZAVRA_WINE_DIR selects another one (tests use one per build directory).
: "${ZAVRA_WINE_DIR:=${XDG_DATA_HOME:-$HOME/.local/share}/zavra-wine}"
export WINEPREFIX="$ZAVRA_WINE_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"
export WINEARCH=win64
[ -d "$ZAVRA_WINE_DIR/locale" ] && export LOCPATH="$ZAVRA_WINE_DIR/locale"
export ZAVRA_WINE_HOME="$ZAVRA_WINE_DIR/home"
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)

# Creates the prefix once: fonts, no window decorations, no crash dialog (it would hang).
# What Wine prints goes to prepare.log, shown only when a step fails.
zavra_wine_prepare() {
  mkdir -p "$ZAVRA_WINE_DIR" "$ZAVRA_WINE_HOME"
  local log="$ZAVRA_WINE_DIR/prepare.log"
  (
    flock 9
    [ -f "$WINEPREFIX/.zavra-ready" ] && exit 0
    set +e
    step() {
      echo "+ $*" >>"$log"
      HOME="$ZAVRA_WINE_HOME" "$@" >>"$log" 2>&1
      local rc=$?
      if [ $rc -ne 0 ]; then
        echo "Preparing the Wine prefix $WINEPREFIX failed (exit $rc): $*" >&2
        cat "$log" >&2
        exit $rc
      fi
    }
    : >"$log"
    step "$WINE64" wineboot -i
    step wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    step "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
    step "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    step wineserver -w
    touch "$WINEPREFIX/.zavra-ready"
  ) 9>"$ZAVRA_WINE_DIR/.lock"
}
