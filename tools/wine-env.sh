# Sourced: the private Wine environment of this checkout (never the user's own prefix or HOME).
# ZAVRA_WINE_DIR selects another one (tests use one per build directory).
: "${ZAVRA_WINE_DIR:=${XDG_DATA_HOME:-$HOME/.local/share}/zavra-wine}"

# A prefix needs symbolic links and must be owned by us; some mounted or shared folders give
# neither, and Wine then fails to start anything. Such a folder is traded for one under the
# user's cache (or /var/tmp), named after it.
zavra_wine_dir_usable() {
  local d=$1 ok=1
  mkdir -p "$d" 2>/dev/null && [ -O "$d" ] && ln -sfn / "$d/.link-check" 2>/dev/null && [ -L "$d/.link-check" ] && ok=0
  rm -f "$d/.link-check" 2>/dev/null
  return $ok
}
if [ -z "${ZAVRA_WINE_DIR_CHECKED:-}" ] && ! zavra_wine_dir_usable "$ZAVRA_WINE_DIR"; then
  zavra_key=$(printf %s "$ZAVRA_WINE_DIR" | cksum | cut -d' ' -f1)
  for zavra_dir in "${XDG_CACHE_HOME:-$HOME/.cache}/zavra-wine/$zavra_key" "/var/tmp/zavra-wine-$(id -u)/$zavra_key"; do
    if zavra_wine_dir_usable "$zavra_dir"; then
      echo "Wine cannot keep a prefix in $ZAVRA_WINE_DIR; using $zavra_dir" >&2
      ZAVRA_WINE_DIR=$zavra_dir
      break
    fi
  done
  unset zavra_key zavra_dir
fi
export ZAVRA_WINE_DIR ZAVRA_WINE_DIR_CHECKED=1
export WINEPREFIX="$ZAVRA_WINE_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"
export WINEARCH=win64
[ -d "$ZAVRA_WINE_DIR/locale" ] && export LOCPATH="$ZAVRA_WINE_DIR/locale"
export ZAVRA_WINE_HOME="$ZAVRA_WINE_DIR/home"
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)

# Creates the prefix once: fonts, no window decorations, no crash dialog (it would hang).
# A failed attempt shows what Wine printed and is retried on a fresh prefix.
zavra_wine_prepare() {
  mkdir -p "$ZAVRA_WINE_DIR" "$ZAVRA_WINE_HOME"
  (
    flock 9
    [ -f "$WINEPREFIX/.zavra-ready" ] && exit 0
    set +e
    log="$ZAVRA_WINE_DIR/prepare.log"
    # Only a prefix made here is thrown away on failure: an older one may hold a user's notes.
    fresh=0
    [ -e "$WINEPREFIX" ] || fresh=1
    for attempt in 1 2 3; do
      if zavra_wine_create_prefix >"$log" 2>&1; then
        touch "$WINEPREFIX/.zavra-ready"
        exit 0
      fi
      echo "Creating the Wine prefix $WINEPREFIX failed (attempt $attempt). Wine printed:" >&2
      tail -n 40 "$log" >&2
      df -h "$ZAVRA_WINE_DIR" >&2
      HOME="$ZAVRA_WINE_HOME" wineserver -k >/dev/null 2>&1
      sleep 2
      [ $fresh = 1 ] && rm -rf "$WINEPREFIX"
    done
    exit 1
  ) 9>"$ZAVRA_WINE_DIR/.lock"
}

# wineboot's own exit code says little; the registry edits after it show whether the prefix works.
zavra_wine_create_prefix() {
  local run=(env HOME="$ZAVRA_WINE_HOME" "$WINE64")
  echo "+ wineboot -i"
  "${run[@]}" wineboot -i
  echo "wineboot exit $?"
  HOME="$ZAVRA_WINE_HOME" wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" || return
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  echo "+ reg add"
  "${run[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f &&
    "${run[@]}" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
    HOME="$ZAVRA_WINE_HOME" wineserver -w
}

# Starts a private Xvfb on the first free display in FIRST..LAST: sets DISPLAY and xvfb_pid.
zavra_start_xvfb() {
  local n
  xvfb_pid=""
  for n in $(seq "$1" "$2"); do
    { [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; } && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=:$n
      return 0
    fi
    xvfb_pid=""
  done
  echo "no free Xvfb display in :$1-:$2" >&2
  return 1
}
