#!/usr/bin/env bash
# tests/hostile/hostile.sh BUILD SOURCE [--no-memory-limit]
#
# Hostile files and names against all five entry points (vexocnvt, vexofont
# make, dump, show, check). Every case runs under a time limit and, unless
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
for signal in TERM INT HUP; do
  begin signal_$signal
  mkdir -p sig && rm -f sig/* sig/.*.tmp 2>/dev/null
  printf 'old' >sig/sheet-1.png && cp sig/sheet-1.png sig.keep
  # A background job starts with SIGINT ignored, which the tools respect:
  # the signals get their default actions back first.
  env --default-signal "$vexofont" show big.fnt --png sig/sheet.png >/dev/null 2>&1 &
  pid=$!
  seen=
  for _ in $(seq 1 400); do
    seen=$(find sig -name '.*.tmp' | head -n 1)
    [ -n "$seen" ] && break
    sleep 0.02
  done
  kill -s "$signal" "$pid"
  { wait "$pid"; } 2>/dev/null
  status=$?
  if [ -z "$seen" ]; then
    fail "no temporary appeared to interrupt"
  elif [ "$status" -ne $((128 + $(kill -l "$signal"))) ]; then
    fail "status $status"
  elif no_temporaries sig && same sig/sheet-1.png sig.keep; then
    seconds=0; kb=0; pass
  fi
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

# A case that neither passed nor failed aloud ended a check silently.
if [ $((passed + failed)) -ne "$attempted" ]; then
  echo "FAILED: $((attempted - passed - failed)) cases ended without a verdict"
  failed=$((failed + attempted - passed - failed))
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
