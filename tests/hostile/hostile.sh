#!/usr/bin/env bash
# tests/hostile/hostile.sh BUILD SOURCE [--no-memory-limit]
#
# Hostile files and names against all six entry points (vexocnvt, vexofont
# make, dump, show, check, preview). Every case runs under a time limit and, unless
# the build is a sanitizer build (--no-memory-limit), its peak memory is
# held under 300 MB, so that a regression to an endless or unbounded run
# fails the suite instead of hanging it. Each case checks its exit status
# and what must not change: inputs are never replaced, old files stay whole,
# no temporary is left behind. Prints one line per case and "N passed, N
# failed"; exits non-zero on any failure.
set -u

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
memory_limit=1
[ "${3:-}" = --no-memory-limit ] && memory_limit=0
vexocnvt=$build/vexocnvt
vexofont=$build/vexofont/vexofont
max_seconds=60
max_kb=$((300 * 1024))

work=$(mktemp -d /tmp/vexocnvt-hostile-XXXXXX)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
cp "$source"/examples/*.fnt "$source"/examples/demo.cfg "$source"/examples/logo_12x24.txt .
"$vexocnvt" demo.cfg >/dev/null
"$vexofont" dump sbcs_impact_8x9.fnt -o whole.txt

passed=0
failed=0
attempted=0
begin() { case_name=$1; attempted=$((attempted + 1)); }
fail() {
  failed=$((failed + 1))
  echo "FAILED: $case_name: $*"
}
pass() {
  passed=$((passed + 1))
  echo "ok: $case_name (${seconds}s, ${kb} KB)"
}

# run NAME STATUS COMMAND...: runs COMMAND with its output in out.txt and
# err.txt, under the time limit, and checks its status and peak memory.
run() {
  begin "$1"
  local expected=$2
  shift 2
  /usr/bin/time -f "%e %M" -o time.txt timeout -s KILL "$max_seconds" "$@" \
    >out.txt 2>err.txt
  status=$?
  read -r seconds kb <time.txt 2>/dev/null || { seconds=?; kb=0; }
  # /usr/bin/time reports the killed child's status in its first line.
  [ "$seconds" = Command ] && read -r seconds kb < <(tail -n 1 time.txt)
  if [ "$status" -ne "$expected" ]; then
    fail "status $status, expected $expected; $(head -c 300 err.txt)"
    return 1
  fi
  if [ "$memory_limit" = 1 ] && [ "${kb:-0}" -gt "$max_kb" ]; then
    fail "peak memory ${kb} KB, more than $max_kb KB"
    return 1
  fi
  return 0
}
same() { cmp -s "$1" "$2" || { fail "$1 changed"; return 1; }; }
no_temporaries() {
  local left
  left=$(find "${1:-.}" -name '.*.tmp' | head -n 3)
  [ -z "$left" ] || { fail "temporaries left: $left"; return 1; }
}
has() { grep -q -- "$2" "$1" || { fail "$1 lacks '$2'"; return 1; }; }

dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
make_sbcs=(make --kind sbcs --station thermal --size 12x24 --code-page 437)
printf 'A\n' >chars.txt
printf '41 U+0041\n' >map.txt
cp chars.txt chars.keep && cp map.txt map.keep && cp demo.cfg demo.keep
cp sbcs_thermal_12x24.fnt font.keep

# 1. No input of make is replaced by its output.
if [ -f "$dejavu" ]; then
  run make_output_is_chars 4 "$vexofont" "${make_sbcs[@]}" --chars chars.txt "$dejavu" chars.txt &&
    same chars.txt chars.keep && has err.txt "is the --chars file" && pass
  run make_output_is_map 4 "$vexofont" "${make_sbcs[@]}" --map map.txt "$dejavu" map.txt &&
    same map.txt map.keep && has err.txt "is the --map file" && pass
  ln -f chars.txt chars.link
  run make_output_is_a_hard_link_of_chars 4 "$vexofont" "${make_sbcs[@]}" --chars chars.txt "$dejavu" chars.link &&
    same chars.txt chars.keep && pass
fi

# 2. No page of show's sheet replaces the configuration or its fonts.
run show_png_is_the_config 4 "$vexofont" show demo.out --config demo.cfg --png demo.cfg &&
  same demo.cfg demo.keep && has err.txt "it is the configuration file" && pass
run show_png_is_a_listed_font 4 "$vexofont" show demo.out --config demo.cfg --png sbcs_thermal_12x24.fnt &&
  same sbcs_thermal_12x24.fnt font.keep && has err.txt "input font file" && pass

# 3. and 4. A standard-output name is written through, into a pipe or
# after what a file already holds.
begin dump_to_stdout_pipe
"$vexofont" dump sbcs_impact_8x9.fnt -o /dev/stdout 2>err.txt | cat >out.txt
if [ "${PIPESTATUS[0]}" != 0 ]; then fail "status ${PIPESTATUS[0]}"
elif has out.txt "vexofont glyphs 1"; then seconds=0; kb=0; pass; fi
echo "earlier line" >log.txt
begin dump_to_stdout_appended
if "$vexofont" dump sbcs_impact_8x9.fnt -o /dev/stdout >>log.txt 2>err.txt &&
   [ "$(head -n 1 log.txt)" = "earlier line" ] && has log.txt "vexofont glyphs 1" &&
   no_temporaries; then seconds=0; kb=0; pass; fi
sed 's/^OutputFontFile.*/OutputFontFile \/dev\/stdout/' demo.cfg >stdout.cfg
begin converter_to_stdout_pipe
size=$("$vexocnvt" stdout.cfg 2>err.txt | wc -c)
if [ "${PIPESTATUS[0]}" = 0 ] && [ "$size" -gt 75369 ]; then seconds=0; kb=0; pass; else fail "wrote $size bytes"; fi
for writer in make show; do
  begin ${writer}_to_stdout_pipe
  if [ $writer = make ]; then
    "$vexofont" dump sbcs_impact_8x9.fnt -o text.txt
    "$vexofont" make text.txt /dev/stdout 2>err.txt | wc -c >out.txt
  else
    "$vexofont" show demo.out --png /dev/stdout 2>err.txt | wc -c >out.txt
  fi
  if [ "${PIPESTATUS[0]}" = 0 ] && [ "$(cat out.txt)" -gt 0 ]; then seconds=0; kb=0; pass
  else fail "$(head -c 200 err.txt)"; fi
done

# 5. A signal during a write leaves no temporary, and the old files stay.
big_sbcs() {  # an SBCS 8x32 font of all 65536 codes, random dots
  { printf 'ZYNPosSingleFont\001\000\265\001\000\000\377\377\010\000\000\000\040\000\000\000'
    head -c $((65536 * 128)) /dev/urandom; } >"$1"
}
big_sbcs big.fnt
# interrupted NAME SIGNAL KEPT COMMAND...: runs COMMAND, which writes into
# sig/, in the background, sends SIGNAL once a temporary appears and
# checks that the signal ended it, no temporary stayed and sig/KEPT (an
# old file of the name written) is as it was.
interrupted() {
  begin "$1"
  local signal=$2 kept=$3
  shift 3
  mkdir -p sig && rm -f sig/* sig/.*.tmp 2>/dev/null
  printf 'old' >"sig/$kept" && cp "sig/$kept" sig.keep
  # A background job starts with SIGINT ignored, which the tools respect:
  # the signals get their default actions back first.
  env --default-signal "$@" >/dev/null 2>&1 &
  local pid=$! seen=
  for _ in $(seq 1 400); do
    seen=$(find sig -name '.*.tmp' | head -n 1)
    [ -n "$seen" ] && break
    sleep 0.01
  done
  kill -s "$signal" "$pid"
  { wait "$pid"; } 2>/dev/null
  status=$?
  if [ -z "$seen" ]; then fail "no temporary appeared to interrupt"
  elif [ "$status" -ne $((128 + $(kill -l "$signal"))) ]; then fail "status $status"
  elif no_temporaries sig && same "sig/$kept" sig.keep; then seconds=0; kb=0; pass; fi
}
for signal in TERM INT HUP; do
  interrupted "signal_$signal" "$signal" sheet-1.png "$vexofont" show big.fnt --png sig/sheet.png
done

# 6. A sheet is all new or all old.
mkdir -p half && printf 'old' >half/sheet-1.png && mkdir -p half/sheet-3.png
cp half/sheet-1.png half.keep
run sheet_page_cannot_be_written 4 "$vexofont" show big.fnt --png half/sheet.png &&
  same half/sheet-1.png half.keep && no_temporaries half && pass

# 7. A link planted in a sticky folder by another user is not followed.
if [ "$(id -u)" = 0 ]; then
  mkdir -p sticky && chmod 1777 sticky
  cp demo.out victim.out && cp victim.out victim.keep
  ln -sf "$work/victim.out" sticky/out.fnt && chown -h nobody sticky/out.fnt 2>/dev/null ||
    chown -h 65534 sticky/out.fnt
  sed 's/^OutputFontFile.*/OutputFontFile sticky\/out.fnt/' demo.cfg >planted.cfg
  run planted_link_is_refused 4 "$vexocnvt" planted.cfg && same victim.out victim.keep && pass
fi

# 8. A replaced set-user-ID file loses the bit.
cp demo.out setuid.out && chmod 4755 setuid.out
sed 's/^OutputFontFile.*/OutputFontFile setuid.out/' demo.cfg >setuid.cfg
run setuid_bit_is_dropped 0 "$vexocnvt" setuid.cfg &&
  { [ "$(stat -c %a setuid.out)" = 755 ] || fail "mode $(stat -c %a setuid.out)"; } && pass

# 9. to 13. Endless and huge inputs end quickly, within the memory bound.
if [ -f "$dejavu" ]; then
  run make_map_endless 2 "$vexofont" "${make_sbcs[@]}" --map /dev/zero "$dejavu" o.fnt && pass
  run make_chars_endless 2 "$vexofont" "${make_sbcs[@]}" --chars /dev/zero "$dejavu" o.fnt && pass
  run make_pixel_size_huge 1 "$vexofont" "${make_sbcs[@]}" --pixel-size 1000 "$dejavu" o.fnt && pass
fi
run converter_config_endless 2 "$vexocnvt" /dev/zero && has err.txt "Could not read config file '/dev/zero'" && pass
run check_config_endless 2 "$vexofont" check /dev/zero && pass
truncate -s 1G sparse.cfg
run converter_config_sparse_1g 2 "$vexocnvt" sparse.cfg && pass
rm -f sparse.cfg
{ printf 'vexofont glyphs 1\nkind sbcs\ncode-page 437\nfirst 0\nlast ffff\nwidth 8\nheight 16\n'
  head -c $((100 << 20)) /dev/zero | tr '\0' '#'; } >huge.txt
run make_glyph_text_huge 2 "$vexofont" make huge.txt o.fnt && has err.txt "longer than" && pass
{ printf 'vexofont glyphs 1\nglyph 41\n'; yes . | head -c $((90 << 20)); } >rows.txt
run make_overlay_endless_rows 2 "$vexofont" make --overlay rows.txt whole.txt o.fnt &&
  has err.txt "row 33 of glyph 41" && pass
rm -f huge.txt rows.txt
awk 'BEGIN {
  print "STARTFONT 2.1"; print "FONT bomb"; print "SIZE 16 75 75"
  print "FONTBOUNDINGBOX 512 512 0 0"; print "STARTPROPERTIES 2"
  print "CHARSET_REGISTRY \"ISO10646\""; print "CHARSET_ENCODING \"1\""
  print "ENDPROPERTIES"; print "CHARS 65000"
  for (i = 0; i < 65000; i++) {
    print "STARTCHAR c" i; print "ENCODING " (i + 32); print "SWIDTH 500 0"
    print "DWIDTH 512 0"; print "BBX 512 512 0 0"; print "BITMAP"; print "ENDCHAR"
  }
  print "ENDFONT" }' >bomb.bdf
gzip -k bomb.bdf
printf '%s\n' "STARTFONT 2.1" "FONT small" "SIZE 16 75 75" "FONTBOUNDINGBOX 8 16 0 -4" \
  "STARTPROPERTIES 2" 'CHARSET_REGISTRY "ISO10646"' 'CHARSET_ENCODING "1"' \
  "ENDPROPERTIES" "CHARS 1" "STARTCHAR A" "ENCODING 65" "SWIDTH 500 0" \
  "DWIDTH 8 0" "BBX 8 16 0 -4" "BITMAP" 18 24 24 3C 24 24 24 00 00 00 00 00 00 00 00 00 \
  "ENDCHAR" "ENDFONT" >small.bdf
run make_bdf_bomb_gzip 2 "$vexofont" "${make_sbcs[@]}" bomb.bdf.gz o.fnt && has err.txt "glyph boxes" && pass
run make_bdf_bomb_fallbacks 2 "$vexofont" "${make_sbcs[@]}" --fallback bomb.bdf.gz \
  --fallback bomb.bdf small.bdf o.fnt &&
  has err.txt "glyph boxes" && pass
run make_source_endless 2 "$vexofont" "${make_sbcs[@]}" /dev/zero o.fnt && pass
run dump_endless 2 "$vexofont" dump /dev/zero && pass
run show_endless 3 "$vexofont" show /dev/zero && pass

# 14. The largest sound files draw their sheets in seconds.
run show_png_largest_sbcs 0 "$vexofont" show big.fnt --png largest.png && pass
rm -f largest*.png

# 15. A configuration naming one huge file forty times: each file is read
# once, and no further than the largest input font file.
{ printf 'ZYNPosSingleFont\001\000\265\001\040\000\377\000\010\000\000\000\020\000\000\000'; } >huge.fnt
truncate -s 200M huge.fnt
for key in SbcsThermalFile SbcsImpactFile DbcsThermalFile DbcsImpactFile; do
  for _ in $(seq 1 10); do echo "$key huge.fnt"; done
done >forty.cfg
echo "OutputFontFile forty.out" >>forty.cfg
run check_forty_names_of_one_huge_file 3 "$vexofont" check forty.cfg && pass
"$vexocnvt" forty.cfg >/dev/null 2>&1
run show_config_forty_names_of_one_huge_file 0 "$vexofont" show forty.out --config forty.cfg && pass
rm -f huge.fnt

# 16. A NUL byte in a configuration: findings at the right lines.
printf 'CodePage 437\000junk\nSbcsThermalFiel x.fnt\n' >nul.cfg
run check_nul_byte 3 "$vexofont" check nul.cfg &&
  has out.txt "nul.cfg:1: holds a NUL byte" && has out.txt "nul.cfg:2: 'SbcsThermalFiel'" && pass

# Probes that held before: devices, FIFOs, a full disk, a read-only folder.
sed 's/^OutputFontFile.*/OutputFontFile \/dev\/null/' demo.cfg >null.cfg
run converter_to_dev_null 0 "$vexocnvt" null.cfg && [ -c /dev/null ] && pass
sed 's/^OutputFontFile.*/OutputFontFile \/dev\/full/' demo.cfg >full.cfg
run converter_to_a_full_disk 4 "$vexocnvt" full.cfg && pass
mkfifo fifo.fnt
cat fifo.fnt >fifo.read &
sed 's/^OutputFontFile.*/OutputFontFile fifo.fnt/' demo.cfg >fifo.cfg
run converter_to_a_fifo 0 "$vexocnvt" fifo.cfg && wait && [ -p fifo.fnt ] && same fifo.read demo.out && pass
if [ "$(id -u)" != 0 ]; then
  mkdir -p locked && chmod 555 locked
  run dump_into_a_read_only_folder 4 "$vexofont" dump sbcs_impact_8x9.fnt -o locked/t.txt &&
    no_temporaries locked && pass
fi
run every_output_left_no_temporary 0 true && no_temporaries && pass

# The third round: the cases below are numbered as the rows of the review
# that found them.
make_ttf() { python3 "$source/tests/hostile/make_ttf.py" "$@"; }
# within SECONDS: the last case ran in at most SECONDS.
within() { awk -v s="$seconds" -v m="$1" 'BEGIN { exit !(s <= m) }' ||
  { fail "took ${seconds}s, more than $1 s"; return 1; }; }
printf 'Hello\n' >receipt.txt && cp receipt.txt receipt.keep

# R1. No output of preview replaces a font the configuration lists.
for output in --png --html; do
  run preview_config_${output#--}_is_a_listed_font 4 "$vexofont" preview --config demo.cfg \
    --text Hi "$output" sbcs_thermal_12x24.fnt &&
    same sbcs_thermal_12x24.fnt font.keep && has err.txt "input font file" && pass
done
begin preview_config_html_through_a_descriptor_of_a_listed_font
"$vexofont" preview --config demo.cfg --text Hi --html /dev/fd/3 3>>sbcs_thermal_12x24.fnt \
  >/dev/null 2>err.txt
status=$?
if [ "$status" != 4 ]; then fail "status $status"
elif same sbcs_thermal_12x24.fnt font.keep; then seconds=0; kb=0; pass; fi

# R2. No output of preview replaces the text it read.
for output in --png --html; do
  begin preview_${output#--}_is_the_text_read
  "$vexofont" preview demo.out "$output" /dev/stdin <receipt.txt >/dev/null 2>err.txt
  status=$?
  if [ "$status" != 4 ]; then fail "status $status"
  elif same receipt.txt receipt.keep && has err.txt "it is the text read"; then
    seconds=0; kb=0; pass
  fi
done

# R3. and R12. A link planted in a sticky folder is refused wherever it
# stands in the name, and check says so as the converter does.
if [ "$(id -u)" = 0 ]; then
  mkdir -p sticky3 secret3 && chmod 1777 sticky3 && chmod 700 secret3
  ln -s ../secret3 sticky3/evil && chown -h 65534 sticky3/evil
  sed 's/^OutputFontFile.*/OutputFontFile sticky3\/evil\/victim.out/' demo.cfg >evil.cfg
  run planted_folder_link_is_refused 4 "$vexocnvt" evil.cfg &&
    { [ ! -e secret3/victim.out ] || fail "secret3/victim.out written"; } && pass
  run dump_through_a_planted_folder_link_is_refused 4 "$vexofont" dump \
    sbcs_impact_8x9.fnt -o sticky3/evil/victim.txt &&
    { [ ! -e secret3/victim.txt ] || fail "secret3/victim.txt written"; } && pass
  run check_names_the_planted_folder_link 3 "$vexofont" check evil.cfg &&
    has out.txt "cannot be written (Permission denied)" && pass
fi
ln -s loop2 loop1 && ln -s loop1 loop2
sed 's/^OutputFontFile.*/OutputFontFile loop1/' demo.cfg >loop.cfg
run converter_output_a_loop_of_links 4 "$vexocnvt" loop.cfg && pass
run check_names_the_loop_of_links 3 "$vexofont" check loop.cfg &&
  has out.txt "Too many levels of symbolic links" && pass
# As another user: a read-only file is refused by both, a device in a
# folder that user cannot write is written by both.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  mkdir -p other && cp demo.cfg demo.out sbcs_*.fnt dbcs_*.fnt other/ && chmod 755 other "$work"
  sed 's/^OutputFontFile.*/OutputFontFile readonly.out/' demo.cfg >other/ro.cfg
  sed 's/^OutputFontFile.*/OutputFontFile \/dev\/null/' demo.cfg >other/null.cfg
  cp demo.out other/readonly.out && chmod 644 other/readonly.out
  chmod -R a+r other && chmod 555 other
  run read_only_output_as_another_user 4 env -C other "${as_nobody[@]}" "$vexocnvt" ro.cfg &&
    pass
  run check_names_the_read_only_output 3 env -C other "${as_nobody[@]}" "$vexofont" check ro.cfg &&
    has out.txt "cannot be written (Permission denied)" && pass
  run dev_null_from_a_locked_folder 0 env -C other "${as_nobody[@]}" "$vexocnvt" null.cfg && pass
  run check_agrees_on_dev_null 0 env -C other "${as_nobody[@]}" "$vexofont" check null.cfg && pass
  chmod 700 "$work"
fi

# R4. A link or FIFO put at the name between the check and the open: the
# unit test puts it there from a hook between the two, so the swap is
# certain.
if [ -x "$build/tests/vexocnvt_tests" ]; then
  run output_swapped_after_the_check 0 "$build/tests/vexocnvt_tests" \
    --gtest_filter=OutputFileTest.WhatIsPutAtTheNameAfterTheCheckIsNeverWrittenThrough &&
    has out.txt "1 test" && { ! grep -q FAILED out.txt || fail "$(grep FAILED out.txt)"; } && pass
fi

# R5. to R7., R14. and R15. Source fonts that cost more than they hold.
make_ttf huge.ttf --units 16 --side 10000 --chars 4e00-9fa5
run make_glyph_boxes_of_625_em 0 "$vexofont" make --kind dbcs --station thermal \
  --size 24x24 --code-page 936 huge.ttf o.fnt && within 10 &&
  has out.txt "blank as too large to draw (glyph boxes over 16 em)" && pass
run make_names_the_glyphs_too_large_to_draw 0 "$vexofont" make --kind dbcs --station thermal \
  --size 24x24 --code-page 936 --text 一丁 huge.ttf o.fnt &&
  has err.txt "no font draws U+4E01 '丁' (code 0xb6a1): its glyph box passes 16 em" && pass
make_ttf many.ttc --faces 256 --padding 250000 && gzip -f many.ttc
run make_list_faces_of_a_gzip_collection 0 "$vexofont" make --list-faces many.ttc.gz &&
  within 10 && has out.txt "255 Hostile 255 Regular" && pass
fallbacks=()
for _ in 1 2 3 4 5 6 7 8; do fallbacks+=(--fallback many.ttc.gz); done
make_ttf small.ttf
run make_eight_fallbacks_of_one_collection 0 "$vexofont" "${make_sbcs[@]}" \
  "${fallbacks[@]}" small.ttf o.fnt && within 10 && pass
for i in 1 2 3 4; do cp many.ttc.gz "m$i.ttc.gz" && touch -d "2020-01-0$i" "m$i.ttc.gz"; done
run make_fallbacks_held_whole_are_bounded 2 "$vexofont" "${make_sbcs[@]}" --fallback m1.ttc.gz \
  --fallback m2.ttc.gz --fallback m3.ttc.gz --fallback m4.ttc.gz small.ttf o.fnt &&
  has err.txt "held whole past 192 MB together" && pass
rm -f many.ttc.gz m?.ttc.gz
make_ttf faces300.ttc --faces 300
run make_list_faces_lists_all_300 0 "$vexofont" make --list-faces faces300.ttc &&
  has out.txt "299 Hostile 299 Regular" && pass
run make_face_300_of_300 2 "$vexofont" "${make_sbcs[@]}" --face 300 faces300.ttc o.fnt &&
  has err.txt "it has 300 faces, 0 to 299" && pass
run make_face_299_of_300 0 "$vexofont" "${make_sbcs[@]}" --face 299 faces300.ttc o.fnt && pass
if [ -f "$dejavu" ]; then
  "$vexofont" "${make_sbcs[@]}" "$dejavu" from_file.fnt >/dev/null
  run make_from_a_pipe 0 "$vexofont" "${make_sbcs[@]}" <(cat "$dejavu") from_pipe.fnt &&
    same from_pipe.fnt from_file.fnt && pass
fi

# R9. A font cut short while it is read: an error naming it, no crash.
zenhei=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
if [ -f "$zenhei" ]; then
  begin make_from_a_font_cut_short_while_read
  # Zeros after its tables make it too large to be held whole: it is read
  # as it is used, and cut short meanwhile.
  cp "$zenhei" cut.ttc && truncate -s 80M cut.ttc
  "$vexofont" make --kind dbcs --station thermal --size 24x24 --code-page 936 cut.ttc \
    cut.fnt >/dev/null 2>err.txt &
  pid=$!
  sleep 0.3
  truncate -s 4096 cut.ttc
  wait "$pid"
  status=$?
  if [ "$status" = 0 ]; then seconds="0 (done before the cut)"; kb=0; pass
  elif [ "$status" != 2 ]; then fail "status $status"
  elif has err.txt "font 'cut.ttc' changed while it was read"; then seconds=0; kb=0; pass; fi
  rm -f cut.ttc
fi

# R8. and R10. The largest preview, and every signal that ends it.
sed -e 's/^SbcsThermalFile.*/SbcsThermalFile big.fnt/' \
    -e 's/^OutputFontFile.*/OutputFontFile big.out/' demo.cfg >big.cfg
"$vexocnvt" big.cfg >/dev/null 2>&1
awk 'BEGIN { for (i = 0; i < 399; i++) print "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd" }' >lines399.txt
for layout in "" --side-by-side; do
  run preview_largest_png${layout} 0 "$vexofont" preview big.out --station thermal \
    --file lines399.txt --thermal-width 4096 --impact-width 4096 --png p.png $layout &&
    within 10 && pass
done
for signal in QUIT XCPU ALRM USR1 USR2 PIPE; do
  interrupted "preview_signal_$signal" "$signal" p.png "$vexofont" preview big.out \
    --station thermal --file lines399.txt --thermal-width 4096 --png sig/p.png
done

# R11. What is lost on the way to standard output ends with status 4.
for command in "show demo.out" "preview demo.out --text Hi" "check demo.cfg" \
               "make --list-faces small.ttf" "dump sbcs_impact_8x9.fnt"; do
  name=${command%% *}
  begin stdout_full_$name
  # shellcheck disable=SC2086
  "$vexofont" $command >/dev/full 2>err.txt
  status=$?
  if [ "$status" != 4 ]; then fail "status $status"
  elif has err.txt "vexofont $name: cannot write standard output"; then seconds=0; kb=0; pass; fi
  begin stdout_closed_$name
  # shellcheck disable=SC2086
  "$vexofont" $command >&- 2>err.txt
  status=$?
  [ "$status" = 4 ] && { seconds=0; kb=0; pass; } || fail "status $status"
done

# R13. Forty different large files listed: what is held stays bounded.
for i in $(seq 1 40); do
  printf 'ZYNPosSingleFont\001\000\265\001\040\000\377\000\010\000\000\000\020\000\000\000' >"sp$i.fnt"
  truncate -s 200M "sp$i.fnt"
done
i=0
for key in SbcsThermalFile SbcsImpactFile DbcsThermalFile DbcsImpactFile; do
  for _ in $(seq 1 10); do i=$((i + 1)); echo "$key sp$i.fnt"; done
done >sp.cfg
echo "OutputFontFile sp.out" >>sp.cfg
"$vexocnvt" sp.cfg >/dev/null 2>&1
run check_forty_large_files 3 "$vexofont" check sp.cfg && pass
run show_config_forty_large_files 0 "$vexofont" show sp.out --config sp.cfg && pass
rm -f sp*.fnt

# R16. Control bytes of names are shown escaped by the tools, as they are
# by the converter.
esc=$(printf '\033]2;TITLE\007\033[2Jx.fnt')
printf 'SbcsThermalFile %s\nOutputFontFile esc.out\nCodePage 437\n' "$esc" >esc.cfg
run check_shows_control_bytes_escaped 3 "$vexofont" check esc.cfg &&
  has out.txt '\\x1b]2;TITLE\\x07\\x1b\[2Jx.fnt' &&
  { ! grep -q "$(printf '\033')" out.txt err.txt || fail "an escape reached the terminal"; } && pass
run converter_keeps_its_messages_byte_for_byte 0 "$vexocnvt" esc.cfg &&
  { grep -q "$(printf '\033')\]2;TITLE" out.txt err.txt || fail "the name was changed"; } && pass

# R17. Both outputs of preview or neither.
printf 'old' >both.png && cp both.png both.keep
run preview_png_and_page_both_or_neither 4 "$vexofont" preview demo.out --text Hi \
  --png both.png --html nodir/x.html && same both.png both.keep && no_temporaries && pass

# R18. A replaced file keeps its extended attributes and access control
# lists; its other hard links keep the old bytes (the README says so).
cp demo.out attr.out
if python3 -c "import os; os.setxattr('attr.out', 'user.kept', b'yes')" 2>/dev/null; then
  setfacl -m u:65534:r attr.out 2>/dev/null
  acl_before=$(getfacl -c attr.out 2>/dev/null)
  ln -f attr.out attr.link
  sed 's/^OutputFontFile.*/OutputFontFile attr.out/' demo.cfg >attr.cfg
  run replaced_file_keeps_attributes 0 "$vexocnvt" attr.cfg &&
    { [ "$(python3 -c "import os; print(os.getxattr('attr.out', 'user.kept').decode())")" = yes ] ||
      fail "user.kept lost"; } &&
    { [ "$(getfacl -c attr.out 2>/dev/null)" = "$acl_before" ] || fail "ACL lost"; } &&
    { [ "$(stat -c %h attr.out)" = 1 ] || fail "still hard-linked"; } && pass
fi

# A case that neither passed nor failed aloud ended a check silently.
if [ $((passed + failed)) -ne "$attempted" ]; then
  echo "FAILED: $((attempted - passed - failed)) cases ended without a verdict"
  failed=$((failed + attempted - passed - failed))
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
