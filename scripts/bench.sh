#!/usr/bin/env bash
# scripts/bench.sh BUILDDIR
#
# First, under Wine, the screen pick's costs (scripts/bench-pick.sh). Then
# times the contrast window's nearest-passing-colour search
# (bench/nearest_color_bench.cpp): median and worst case over BENCH_PAIRS
# random pairs (default 1000), and a display profile's transform to sRGB
# (bench/display_profile_bench.cpp): its build and one conversion. The
# palette code (bench/palette_bench.cpp): the nearest entry among 10,000
# colours over BENCH_QUERIES queries (default 1000), each file format read and
# written, and GIMP palettes read beside Pillow's reader.
#
# Then decodes the same large pictures with our readers (huemira-convert from
# BUILDDIR) and with other decoders, and prints per format the median time,
# the median processor time (user + system), the peak memory and the ratios
# to ImageMagick's `convert FILE out.bmp`. The decoders take turns, run after
# run, so that other work on a shared machine weighs on all of them alike.
# Informational: there is no pass or fail.
#
# The pictures (BENCH_WIDTH x BENCH_HEIGHT, default 6000 x 4000 = 24 MP) are
# made once with ImageMagick and kept in build/bench-data.
# Environment: BENCH_PAIRS, BENCH_QUERIES, BENCH_RUNS (default 3), BENCH_WIDTH, BENCH_HEIGHT,
# BENCH_FORMATS.
set -euo pipefail

build=$(cd "${1:?usage: scripts/bench.sh BUILDDIR}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${BENCH_RUNS:-3}
width=${BENCH_WIDTH:-6000}
height=${BENCH_HEIGHT:-4000}
formats=${BENCH_FORMATS:-"jpeg png tiff-deflate tiff-none gif pcx pcx8 dcx tga bmp bmp8"}
data="$root/build/bench-data/${width}x${height}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The screen pick's costs, where a Windows build sits beside this one.
"$(dirname "$0")/bench-pick.sh" "${BENCH_WIN64_BUILD:-$build/../win64}"

search="$build/bench/nearest-color-bench"
[ -x "$search" ] || { echo "bench: $search is missing; build it first (make native)"; exit 2; }
echo
"$search" "${BENCH_PAIRS:-1000}"
echo
"$build/bench/display-profile-bench" || echo "bench: the display profile bench failed"

# The palette code on 10,000 colours: the nearest entry, and each file
# format read and written. Then our GIMP palette reader beside Pillow's, on
# 256 colours: Pillow reads no more.
palettes="$build/bench/palette-bench"
[ -x "$palettes" ] || { echo "bench: $palettes is missing; build it first (make native)"; exit 2; }
echo
"$palettes" "${BENCH_QUERIES:-1000}" || echo "bench: a palette operation missed its target"
if /usr/bin/python3 -c 'import PIL.GimpPaletteFile' 2>/dev/null; then
  gpl="$work/256.gpl"
  { echo "GIMP Palette"; for i in $(seq 0 255); do echo "$i $((255 - i)) $i grey $i"; done; } >"$gpl"
  pillow=$(/usr/bin/python3 - "$gpl" <<'PY'
import sys, time
from PIL.GimpPaletteFile import GimpPaletteFile
best = 1e9
for _ in range(5):
    start = time.perf_counter()
    with open(sys.argv[1], "rb") as f:
        GimpPaletteFile(f)
    best = min(best, time.perf_counter() - start)
print(f"{best * 1e3:.3f} ms")
PY
)
  echo "GIMP palette of 256 colours: ours $("$palettes" --read-gpl "$gpl"), Pillow's reader $pillow"
else
  echo "bench: Pillow is missing (make setup); no side-by-side GIMP palette reading"
fi

# Small files that declare huge pictures or endless work; kept for the open
# dialog's benchmark under Wine (make bench passes them on).
echo
"$build/tests/imaging/hostile-files-bench" "$root/build/bench-data/hostile" || echo "bench: a hostile file missed its target"

ours="$build/tools/huemira-convert"
[ -x "$ours" ] || { echo "bench: $ours is missing; build it first (make native)"; exit 2; }
command -v convert >/dev/null || { echo "bench: ImageMagick's convert is missing (make setup)"; exit 2; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is missing (make setup)"; exit 2; }

# --- test pictures --------------------------------------------------------
mkdir -p "$data"
make_picture() {  # name, ImageMagick output arguments...
  local name=$1 file="$data/$1"
  shift
  [ -s "$file" ] && return 0
  echo "bench: making $file" >&2
  # Written under another name first, so that an interrupted run leaves no half picture.
  convert "$data/base.miff" "$@" "$data/partial-$name" && mv "$data/partial-$name" "$file"
}
if [ ! -s "$data/base.miff" ]; then
  echo "bench: making a ${width}x${height} photo-like base picture (once; takes a while)" >&2
  # A fractal landscape with fine noise: compresses like a photo, not like a flat test chart.
  convert -seed 4 -size "${width}x${height}" plasma:fractal -blur 0x1 -attenuate 0.3 +noise Gaussian \
    -depth 8 -type TrueColor "$data/partial-base.miff"
  mv "$data/partial-base.miff" "$data/base.miff"
fi
if [ ! -s "$data/palette.miff" ]; then
  echo "bench: reducing the base picture to 256 colours (once)" >&2
  convert "$data/base.miff" -colors 256 -type Palette "$data/partial-palette.miff"
  mv "$data/partial-palette.miff" "$data/palette.miff"
fi
file_of() {
  case $1 in
    jpeg) make_picture bench.jpg -quality 90 ; echo "$data/bench.jpg" ;;
    png) make_picture bench.png -define png:color-type=2 ; echo "$data/bench.png" ;;
    # Deflate and uncompressed: our TIFF reader refuses LZW by design.
    tiff-deflate) make_picture bench.tif -compress Zip ; echo "$data/bench.tif" ;;
    tiff-none) make_picture bench-none.tif -compress None ; echo "$data/bench-none.tif" ;;
    gif)
      [ -s "$data/bench.gif" ] || convert "$data/palette.miff" "$data/bench.gif"
      echo "$data/bench.gif" ;;
    pcx) make_picture bench.pcx -type TrueColor ; echo "$data/bench.pcx" ;;
    pcx8)
      [ -s "$data/bench8.pcx" ] || convert "$data/palette.miff" "$data/bench8.pcx"
      echo "$data/bench8.pcx" ;;
    dcx) make_picture bench.dcx -type TrueColor ; echo "$data/bench.dcx" ;;
    tga) make_picture bench.tga -type TrueColor ; echo "$data/bench.tga" ;;
    bmp) make_picture bench.bmp -type TrueColor -define bmp:format=bmp3 ; echo "$data/bench.bmp" ;;
    bmp8)  # run-length coded, 256 colours
      [ -s "$data/bench8.bmp" ] || convert "$data/palette.miff" -compress RLE "BMP3:$data/bench8.bmp"
      echo "$data/bench8.bmp" ;;
    *) echo "bench: unknown format $1" >&2; return 1 ;;
  esac
}

# --- other decoders -------------------------------------------------------
mkdir -p "$build/bench"
giflib="$build/bench/giflib-decode"
if [ ! -x "$giflib" ] && [ -f /usr/include/gif_lib.h ]; then
  cc -O2 -o "$giflib" "$root/bench/giflib_decode.c" -lgif || true
fi
stb="$build/bench/stb-decode"
if [ ! -x "$stb" ] && [ -f /usr/include/stb/stb_image.h ]; then
  cc -O2 -o "$stb" "$root/bench/stb_decode.c" -lm || true
fi
have_pillow=0
python3 -c 'import PIL' 2>/dev/null && have_pillow=1

# --- measuring ------------------------------------------------------------
# measure_round NAME COMMAND...: runs the command once and appends
# "seconds processor-seconds peak-KiB" to $work/NAME.runs, or marks NAME
# failed with the start of its error output.
measure_round() {
  local name=$1
  shift
  [ -f "$work/$name.failed" ] && return 0
  if /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >"$work/stdout" 2>"$work/stderr"; then
    tail -1 "$work/time" | awk '{print $1, $2 + $3, $4}' >>"$work/$name.runs"
  else
    head -c 200 "$work/stderr" | tr '\n' ' ' >"$work/$name.failed"
  fi
}

# summary NAME: "median-seconds median-processor-seconds peak-MiB", or
# "failed: MESSAGE".
summary() {
  if [ -f "$work/$1.failed" ]; then
    echo "failed: $(cat "$work/$1.failed")"
    return 0
  fi
  awk '
    function median(values, n,   i, j, t) {
      for (i = 2; i <= n; i++) for (j = i; j > 1 && values[j - 1] > values[j]; j--) {
        t = values[j]; values[j] = values[j - 1]; values[j - 1] = t
      }
      return (n % 2) ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
    }
    { wall[NR] = $1; cpu[NR] = $2; if ($3 > peak) peak = $3 }
    END { printf "%.2f %.2f %d\n", median(wall, NR), median(cpu, NR), peak / 1024 }
  ' "$work/$1.runs"
}

bitmap_mib=$(awk -v w="$width" -v h="$height" 'BEGIN {printf "%.0f", int((w * 3 + 3) / 4) * 4 * h / 1048576}')
echo
echo "Decoding ${width}x${height} pictures, median of $runs runs; the 24-bit bitmap is ${bitmap_mib} MiB."
echo "Ratios: wall time, processor time and peak memory relative to ImageMagick in this run."
# Wall time is what a user waits, but on a shared machine it depends on
# what else runs; say how busy the machine was.
echo "Load average (1, 5, 15 min) at start: $(cut -d' ' -f1-3 /proc/loadavg)"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {print (b > 0 && b ~ /^[0-9.]+$/) ? sprintf("%.2f", a / b) : "-"}'; }
for format in $formats; do
  file=$(file_of "$format")
  declare -A command=()
  order=(huemira-convert imagemagick)
  command[huemira-convert]="$ours \"\$1\" $work/ours.bmp"
  command[imagemagick]="convert \"\$1\" $work/magick.bmp"
  if [ "$format" = jpeg ] && command -v djpeg >/dev/null; then
    order+=(djpeg)
    command[djpeg]="djpeg -bmp \"\$1\" >$work/djpeg.bmp"
  fi
  if [ "$format" = gif ] && [ -x "$giflib" ]; then
    order+=(giflib)
    command[giflib]="$giflib \"\$1\""
  fi
  if [ $have_pillow -eq 1 ]; then
    order+=(pillow)
    command[pillow]="python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).convert(\"RGB\").save(sys.argv[2], \"BMP\")' \"\$1\" $work/pillow.bmp"
  fi
  if [ -x "$stb" ] && [[ $format =~ ^(jpeg|png|gif|tga|bmp)$ ]]; then
    order+=(stb_image)
    command[stb_image]="$stb \"\$1\""
  fi

  rm -f "$work"/*.runs "$work"/*.failed
  for ((i = 0; i < runs; i++)); do
    for decoder in "${order[@]}"; do measure_round "$decoder" sh -c "${command[$decoder]}" sh "$file"; done
  done

  read -r magick_time magick_cpu magick_mib _ <<<"$(summary imagemagick)"
  echo
  printf '%s (%s, %s)\n' "$format" "$(basename "$file")" "$(du -h "$file" | cut -f1)"
  printf '  %-16s %9s %9s %9s %9s %9s %9s\n' decoder "median s" "cpu s" "peak MiB" "time/IM" "cpu/IM" "mem/IM"
  for decoder in "${order[@]}"; do
    read -r seconds cpu mib _ <<<"$(summary "$decoder")"
    if [ "$seconds" = "failed:" ]; then
      printf '  %-16s %s\n' "$decoder" "$(summary "$decoder")"
      continue
    fi
    printf '  %-16s %9s %9s %9s %9s %9s %9s\n' "$decoder" "$seconds" "$cpu" "$mib" \
      "$(ratio "$seconds" "$magick_time")" "$(ratio "$cpu" "$magick_cpu")" "$(ratio "$mib" "$magick_mib")"
  done
  unset command
done
echo
echo "Load average (1, 5, 15 min) at end: $(cut -d' ' -f1-3 /proc/loadavg)"
