#!/bin/bash
# The road of one reading in the real quillmere.exe under Wine, driven from
# outside like a user with xdotool: type a keyword, search, open the first
# hit, open a chapter, step with Right, Right, Left in the reading pane, then
# with Down in the chapter list onto the last chapter, dismiss the last-chapter
# box, step back with the menu item "上一章", and leave with Esc.
#
# Checked on the way: the window caption after each step, the reading pane's
# text of one chapter (select all, copy, and the X clipboard), the requests
# the demo site saw, and the last-chapter box. Screenshots of the steps go to
# OUT_DIR; the time from each chapter key to the new caption is printed.
#
# Usage: road.sh EXE DEMO_LOG SITE_BASE_ONE TEXT_SERVER_BASE_ONE OUT_DIR
#   DEMO_LOG: the running demo site's request log; the two bases are the ones
#   built into EXE and must name that demo site.
# Uses DISPLAY when it is set, otherwise an Xvfb of its own.
set -uo pipefail
exe=$1 demo_log=$2 site_one=$3 text_one=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
export LC_ALL=C.UTF-8

mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.txt
exe_pid="" xvfb_pid="" win=""
# Wine names the X window class of every window after the program file.
window_class="^$(basename "$exe")\$"

cleanup() {
    if [ -n "$exe_pid" ] && kill -0 "$exe_pid" 2>/dev/null; then
        kill "$exe_pid" 2>/dev/null
        wait "$exe_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; fi
}
trap cleanup EXIT

fail() {
    echo "road: FAILED: $*" >&2
    import -window root "$out/failure.png" 2>/dev/null && echo "road: screen at failure: $out/failure.png" >&2
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

shot() { import -window root "$out/$1.png" || fail "no screenshot $1"; }

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 70 99); do [ -e /tmp/.X11-unix/X$n ] || break; done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
fi

# ---- What the road should show: a novel of the demo site ----------------
keyword=reckoner
book=42 # 竹林算师, nine chapters, directory 1/42/
dir=1/42/
# The chapter titles as the novel's page lists them.
mapfile -t titles < <(curl -sf "${site_one}$book" |
    grep -o "name='chapter'[^>]*title='[^']*'" | sed -e "s/.*title='//" -e "s/'\$//")
[ ${#titles[@]} -eq 9 ] ||
    fail "${site_one}$book lists ${#titles[@]} chapters, not 9: is the demo site on the port the program reads?"
# The pane shows the text between the markers, each <br/> a line break.
curl -sf "${text_one}${dir}1001.txt" | iconv -f GBK -t UTF-8 | tr -d '\r' |
    sed -e "s/^document\.write('//" -e "s/');\$//" -e 's#<br/>#\n#g' >"$out/expected-pane.txt" ||
    fail "cannot read chapter 1 from the demo site"
log_start=$(wc -l <"$demo_log")

# ---- Start ---------------------------------------------------------------
"$top/scripts/wine-run" "$exe" >"$out/exe.log" 2>&1 &
exe_pid=$!
deadline=$(($(now_ms) + 60000))
while [ -z "$win" ]; do
    for w in $(xdotool search --onlyvisible --class "$window_class" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = Quillmere ] && win=$w
    done
    [ "$(now_ms)" -lt "$deadline" ] || fail "no window captioned Quillmere"
    kill -0 "$exe_pid" 2>/dev/null || fail "quillmere.exe ended at start: $(cat "$out/exe.log")"
    [ -n "$win" ] || sleep 0.2
done
eval "$(xdotool getwindowgeometry --shell "$win")"
left=$X top_=$Y
# Unmanaged, the X window is the whole Win32 window and Wine draws the frame
# into it: the client area starts inside the fixed frame (3 pixels) and below
# the caption (19). Under a window manager the X window is the client area.
if [ "$WIDTH" -eq 578 ] && [ "$HEIGHT" -eq 426 ]; then
    left=$((X + 3)) top_=$((Y + 3 + 19))
fi
shot 01-start

caption() { xdotool getwindowname "$win" 2>/dev/null; }

# Client coordinates of the form; rows of the two lists from the first row's
# centre.
click_at() { xdotool mousemove $((left + $1)) $((top_ + $2)) click "${3:-1}"; }
row_y() { echo $((90 + 18 * $1)); }

expect_caption() {
    local want=$1 what=$2 deadline=$(($(now_ms) + 10000))
    until [ "$(caption)" = "$want" ]; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "$what: caption is '$(caption)', not '$want'"
        sleep 0.02
    done
}

# One chapter key: from the key press until the caption names the chapter.
step_times=()
chapter_key() {
    local key=$1 want=$2 t0
    xdotool windowfocus "$win"
    t0=$(now_ms)
    xdotool key "$key"
    expect_caption "$want" "$key"
    step_times+=($(($(now_ms) - t0)))
    echo "road: $key -> $want in ${step_times[-1]} ms"
}

# The one visible window captioned 提示 besides the main window, if any.
message_box() {
    for w in $(xdotool search --onlyvisible --class "$window_class" 2>/dev/null); do
        [ "$w" != "$win" ] && [ "$(xdotool getwindowname "$w" 2>/dev/null)" = 提示 ] && echo "$w"
    done
}

# ---- The road ------------------------------------------------------------
click_at 60 26                      # the search box: the placeholder goes
sleep 0.3
xdotool windowfocus "$win"
xdotool type --delay 40 "$keyword"
click_at 135 26                     # 搜索
deadline=$(($(now_ms) + 10000))
until grep -q "searchkey=$keyword" <(tail -n +$((log_start + 1)) "$demo_log"); do
    [ "$(now_ms)" -lt "$deadline" ] || fail "the search reached no site"
    sleep 0.1
done
sleep 0.5
shot 02-hits

click_at 60 "$(row_y 0)"            # the first hit: its chapters
deadline=$(($(now_ms) + 10000))
until grep -q "GET /one/$book " <(tail -n +$((log_start + 1)) "$demo_log"); do
    [ "$(now_ms)" -lt "$deadline" ] || fail "opening the novel reached no site"
    sleep 0.1
done
sleep 0.5
shot 03-chapters
[ "$(caption)" = Quillmere ] || fail "opening a novel changed the caption to '$(caption)'"

click_at 60 "$(row_y 0)"            # chapter 1
expect_caption "${titles[0]}" "a click on chapter 1"
sleep 0.3
shot 04-reading

click_at 400 300                    # into the reading pane: select all, copy
sleep 0.2
xdotool windowfocus "$win"
xdotool key ctrl+a ctrl+c
sleep 0.5
timeout 5 xclip -o -selection clipboard | tr -d '\r' >"$out/pane.txt"
cmp -s <(printf '%s' "$(cat "$out/expected-pane.txt")") <(printf '%s' "$(cat "$out/pane.txt")") ||
    fail "the reading pane holds other text than chapter 1 (see $out/pane.txt)"

chapter_key Right "${titles[1]}"
chapter_key Right "${titles[2]}"
chapter_key Left "${titles[1]}"
shot 05-after-left
# The main window alone, as it is shown in the README.
import -window "$win" "$out/reading-window.png" || fail "no screenshot of the window"

click_at 60 "$(row_y 1)"            # chapter 2 again, the list takes the keys
sleep 0.5
expect_caption "${titles[1]}" "a click on chapter 2"
# Down shows the next chapter and the list moves one row further itself.
chapter_key Down "${titles[2]}"
chapter_key Down "${titles[4]}"
chapter_key Down "${titles[6]}"
[ -z "$(message_box)" ] || fail "a box before the last chapter"
chapter_key Down "${titles[8]}"

deadline=$(($(now_ms) + 10000))
box=""
until box=$(message_box) && [ -n "$box" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "no last-chapter box"
    sleep 0.1
done
sleep 0.3
shot 06-last-chapter-box
xdotool windowfocus "$box"
xdotool key Return
deadline=$(($(now_ms) + 10000))
while [ -n "$(message_box)" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "Enter left the last-chapter box open"
    sleep 0.1
done
sleep 0.3
shot 07-box-dismissed

# The menu of the reading pane: its first item, "上一章".
click_at 400 300 3
sleep 0.5
shot 08-chapter-menu
xdotool key Down Return
expect_caption "${titles[7]}" "the menu item 上一章"
sleep 0.3
shot 09-after-menu

# ---- What the demo site saw ----------------------------------------------
sleep 0.3
tail -n +$((log_start + 1)) "$demo_log" >"$out/requests.txt"
{
    echo "GET /one/search?submit=%E6%90%9C%E7%B4%A2&searchkey=$keyword 200"
    echo "GET /one/$book 200"
    for n in 1 2 3 2 2 3 5 7 9 8; do echo "GET /one-text/novel/${dir}100$n.txt 200"; done
} >"$out/expected-requests.txt"
diff "$out/expected-requests.txt" "$out/requests.txt" >&2 ||
    fail "the demo site saw other requests (expected left, seen right)"

# ---- Esc ends the program ------------------------------------------------
xdotool windowfocus "$win"
xdotool key Escape
deadline=$(($(now_ms) + 15000))
while kill -0 "$exe_pid" 2>/dev/null; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "Esc left quillmere.exe running"
    sleep 0.1
done
wait "$exe_pid"
exe_pid=""

sorted=$(printf '%s\n' "${step_times[@]}" | sort -n)
echo "road: chapter steps (ms): ${step_times[*]}; median $(echo "$sorted" | sed -n "$(((${#step_times[@]} + 1) / 2))p")"
echo "road: passed; screenshots in $out"
