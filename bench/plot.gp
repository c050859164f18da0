# Time per bait against catalogue size, for the tool and the I/O floor.
# Called by run.sh with `results` (N, tool s, floor s, peak KiB per line)
# and `output` (the PNG to write).
if (strstrt(GPVAL_TERMINALS, "pngcairo") > 0) {
  set terminal pngcairo size 800,500 font "sans,11"
} else {
  set terminal png size 800,500
}
set output output
set title "banalyse: wall time per bait file (median of timed runs)"
set xlabel "bait files in the game folder (N)"
set ylabel "microseconds per bait"
set logscale x 10
set xrange [500:200000]
set yrange [0:*]
set grid
set key bottom right
set format x "%.0f"
plot results using 1:($2 / $1 * 1e6) with linespoints lw 2 pt 7 title "banalyse", \
     results using 1:($3 / $1 * 1e6) with linespoints lw 2 pt 5 title "I/O floor"
