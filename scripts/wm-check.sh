#!/bin/sh
# Checks the release program's window under a real X server (Xvfb) with a
# window manager (openbox), which the offscreen tests cannot: that the window
# stays where it was closed over several starts and that the saved "WindowPos"
# is the frame's rectangle. Shows a card with eight contacts in each notation
# and writes screenshots of the whole screen to the folder given as the
# argument (default build/wm-check/): start1-card*.png at the size the window
# first opens with, start1-moved.png after moving it and making it lower than
# the form, start4-card*.png after the third restart. Run by hand after building:
#   scripts/configure-release.sh && cmake --build build/release --target kolvane kolvane-cli
# Ends with status 1 when the window moves or resizes between starts.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
prog=$root/build/release/kolvane
cli=$root/build/release/cli/kolvane-cli
out=${1:-build/wm-check}

for tool in Xvfb openbox xdotool wmctrl xwininfo xprop import timeout; do
    command -v "$tool" >/dev/null || {
        echo "wm-check: $tool is missing (scripts/setup.sh installs it)" >&2
        exit 2
    }
done
for f in "$prog" "$cli"; do
    [ -x "$f" ] || {
        echo "wm-check: $f is missing; build it first" >&2
        exit 2
    }
done
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/start*.png

tmp=$(mktemp -d)
xvfb_pid="" wm_pid="" app_pid=""
# shellcheck disable=SC2317 # called by the trap
cleanup() {
    for p in $app_pid $wm_pid $xvfb_pid; do
        kill "$p" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

# Xvfb picks a free display itself and names it on descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
i=0
until [ -s "$tmp/display" ]; do
    i=$((i + 1))
    [ "$i" -le 100 ] || {
        echo "wm-check: Xvfb did not start" >&2
        cat "$tmp/xvfb.log" >&2
        exit 2
    }
    sleep 0.1
done
DISPLAY=:$(cat "$tmp/display")
export DISPLAY

# Empty settings, a private single-instance folder, the real X platform.
export HOME="$tmp/home"
export XDG_RUNTIME_DIR="$tmp/run"
unset XDG_CONFIG_HOME QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
conf="$HOME/.config/Tavrin/ｺﾙｳﾞｧﾈ.conf"

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
i=0
until wmctrl -m >/dev/null 2>&1; do
    i=$((i + 1))
    [ "$i" -le 100 ] || {
        echo "wm-check: openbox did not start" >&2
        exit 2
    }
    sleep 0.1
done

# One Japanese and one English card, each with all eight contact slots.
contacts='[{"method":1,"text":"03-0000-0001"},{"method":2,"text":"03-0000-0002"},{"method":3,"text":"090-0000-0003"},{"method":4,"text":"020-0000-0004"},{"method":5,"text":"card@example.jp"},{"method":6,"text":"https://example.jp/"},{"method":7,"text":"kolvane"},{"method":2,"text":"03-0000-0008"}]'
cat >"$tmp/book.json" <<EOF
{"version":1,"cards":[
{"notation":0,"furigana":"あおば はなこ","name":"青葉 花子","title":"営業部 課長","company":"㈱架空商事","zip":"100-0001","address":"東京都千代田区架空町1-2-3\r\n架空ﾋﾞﾙ 5F","other":"備考の行","notes":"ﾒﾓの一行目\r\nﾒﾓの二行目","contacts":$contacts},
{"notation":1,"name":"Hanako Aoba","title":"Sales Manager","company":"Kaku Trading Co.","zip":"100-0001","address":"1-2-3 Kakucho, Chiyoda-ku\r\nTokyo","other":"Other line","notes":"First note line\r\nSecond note line","contacts":$contacts}
]}
EOF
book="$tmp/book.kvd"
"$cli" from-json "$tmp/book.json" "$book" --force

# The client window's frame rectangle as "x y width height": the inside
# widened by the frame extents openbox puts on it.
frame() {
    xwininfo -id "$1" | awk -v ext="$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= *//')" '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END {
            n = split(ext, e, /, */)
            if (n != 4) { e[1] = e[2] = e[3] = e[4] = 0 }
            print x - e[1], y - e[3], w + e[1] + e[2], h + e[3] + e[4]
        }'
}

# The frame rectangle once it has stopped changing for a second.
settled() {
    last="" same=0 i=0
    while [ "$same" -lt 5 ] && [ "$i" -lt 100 ]; do
        sleep 0.2
        now=$(frame "$1")
        if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
        last=$now i=$((i + 1))
    done
    echo "$last"
}

saved_pos() {
    sed -n 's/^WindowPos=//p' "$conf" 2>/dev/null | tr -d '"'
}

shot() {
    sleep 0.5
    import -window root "$out/$1.png"
}

status=0
first=""
n=1
while [ "$n" -le 4 ]; do
    "$prog" "$book" >"$tmp/app$n.log" 2>&1 &
    app_pid=$!
    wid=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app_pid" | head -n 1) || true
    [ -n "$wid" ] || {
        echo "wm-check: start $n: no window appeared" >&2
        cat "$tmp/app$n.log" >&2
        exit 1
    }
    shown=$(settled "$wid")
    # The list starts with its first card current: Enter shows it, Page Down
    # goes on to the other card in the other notation.
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers Return
    if [ "$n" -eq 1 ] || [ "$n" -eq 4 ]; then
        shot "start$n-card1"
    fi
    xdotool key --clearmodifiers Next
    if [ "$n" -eq 1 ] || [ "$n" -eq 4 ]; then
        shot "start$n-card2"
    fi
    if [ "$n" -eq 1 ]; then
        # Moved and made lower than the form, as a user might: the form
        # scrolls, and the next starts must come back to this rectangle.
        wmctrl -i -r "$wid" -e 0,100,80,700,615
        settled "$wid" >/dev/null
        shot "start1-moved"
    fi
    geometry=$(settled "$wid")

    # Closed as the user closes it, so it saves its position.
    wmctrl -i -c "$wid"
    i=0
    while kill -0 "$app_pid" 2>/dev/null; do
        i=$((i + 1))
        [ "$i" -le 100 ] || {
            echo "wm-check: start $n: the window did not close" >&2
            exit 1
        }
        sleep 0.1
    done
    wait "$app_pid" || echo "wm-check: start $n: the program ended with status $?" >&2
    app_pid=""
    pos=$(saved_pos)

    echo "start $n: frame as shown $shown, at close $geometry (x y width height); saved WindowPos $pos"
    if [ "$n" -gt 1 ] && [ "$shown" != "$geometry" ]; then
        echo "wm-check: start $n: showing the cards moved or resized the window" >&2
        status=1
    fi
    expected=$(echo "$geometry" | awk '{ print $1 "," $2 "," $1 + $3 "," $2 + $4 }')
    if [ "$pos" != "$expected" ]; then
        echo "wm-check: start $n: saved WindowPos $pos is not the frame $expected" >&2
        status=1
    fi
    if [ -z "$first" ]; then
        echo "$shown" | awk '{ exit !($1 >= 0 && $2 >= 0 && $1 + $3 <= 1280 && $2 + $4 <= 1024) }' || {
            echo "wm-check: start 1: the window $shown does not fit the 1280x1024 screen" >&2
            status=1
        }
        first=$geometry
    elif [ "$geometry" != "$first" ]; then
        echo "wm-check: start $n: the window moved or resized from $first" >&2
        status=1
    fi
    n=$((n + 1))
done

echo "screenshots in $out"
[ "$status" -eq 0 ] && echo "wm-check: the window stayed put over 4 starts"
exit "$status"
