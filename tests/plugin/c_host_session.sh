#!/bin/sh
# Drives the host written in C with the real plug-in from outside, as a user
# would, under a virtual X server:
#
#   c_host_session.sh C_HOST KAVRELL_QVX
#
# With animation mode off it confirms the warning. With animation mode on it
# creates a mesh in the editor window, executes the morphing and saves the
# sequence in the player, then checks the frames the host wrote: as many as
# the editor generates, the first and the last equal to the host's frames.
# The clicks go to the controls' places in the windows' layouts.
set -eu
# The plug-in's own application object must use the X server, whatever
# platform the other tests run on.
unset QT_QPA_PLATFORM

if [ -z "${DISPLAY:-}" ] || [ "${C_HOST_SESSION_IN_XVFB:-}" != 1 ]; then
    C_HOST_SESSION_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

c_host=$1
plugin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# An image of two horizontal grey bands, as a binary PPM.
write_frame() { # path width height top-grey bottom-grey (octal)
    printf 'P6\n%d %d\n255\n' "$2" "$3" >"$1"
    band=$((3 * $2 * ($3 / 2)))
    head -c "$band" /dev/zero | tr '\0' "\\$4" >>"$1"
    head -c "$band" /dev/zero | tr '\0' "\\$5" >>"$1"
}
write_frame "$work/current.ppm" 96 64 050 310
write_frame "$work/next.ppm" 96 64 330 030

# The window captioned exactly $1, once it is shown.
find_window() {
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

# Clicks at x,y inside window $1.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.5
}

# Animation mode off: the warning, confirmed with Return; no frames.
"$c_host" "$plugin" off "$work/off" "$work/current.ppm" "$work/next.ppm" >"$work/off.log" 2>&1 &
host=$!
warning=$(find_window Warning) || fail "no warning dialog"
xdotool windowfocus --sync "$warning"
xdotool key Return
wait "$host" || fail "the host failed: $(cat "$work/off.log")"
grep -q '^received: 0$' "$work/off.log" || fail "frames received with animation mode off"

# Animation mode on: one invocation through the editor and the player.
"$c_host" "$plugin" on "$work/on" "$work/current.ppm" "$work/next.ppm" >"$work/on.log" 2>&1 &
host=$!
editor=$(find_window 'Kavrell v.2.1') || fail "no editor window"
host_window=$(sed -n 's/^window: //p' "$work/on.log")
transient_for=$(xprop -id "$editor" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[ "$((transient_for))" = "$host_window" ] || fail "editor transient for '$transient_for', not the host's window $host_window"

# The bottom panel is 96 high; on the mesh page, right of the 423-wide left
# part, "Create mesh" is 100 x 23 at 280,35; "Execute morphing" is 156 x 23
# at 208,64 in the left part.
eval "$(xdotool getwindowgeometry --shell "$editor")"
bottom=$((HEIGHT - 96))
click "$editor" $((423 + 280 + 50)) $((bottom + 35 + 11))
click "$editor" $((208 + 78)) $((bottom + 64 + 11))

# "Save sequence and exit", 153 x 23 at 72,8 in the player's top panel.
player=$(find_window 'Morph output') || fail "no player window"
click "$player" $((72 + 76)) $((8 + 11))
wait "$host" || fail "the host failed: $(cat "$work/on.log")"

# Full morphing mode with the initial Frames setting, 12: the source, ten
# in-betweens and the destination.
received=$(sed -n 's/^received: //p' "$work/on.log")
written=$(ls "$work/on" | grep -c '^frame_.*\.ppm$' || true)
[ "$received" = 12 ] || fail "received $received frames, expected 12: $(cat "$work/on.log")"
[ "$written" = "$received" ] || fail "$written files for $received frames"
cmp -s "$work/on/frame_000.ppm" "$work/current.ppm" || fail "the first frame is not the current frame"
cmp -s "$work/on/frame_011.ppm" "$work/next.ppm" || fail "the last frame is not the next frame"
cmp -s "$work/on/frame_005.ppm" "$work/current.ppm" && fail "an in-between frame equals the current frame"
echo "animation off: warning confirmed; animation on: $received frames, first and last equal the inputs"
