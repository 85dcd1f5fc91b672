# docs/fairness.png from the fairness CSV:
#   gnuplot -e "csv='build/fairness/fairness.csv'; png='docs/fairness.png'" tools/fairness/fairness.gp
# Columns: 1 kind, 2 set_index, 3 set, 4 category, 5 label, 6 draws, 7 hits,
# 8 stated, 9 observed, 10 deviation_pp, 11 two_sigma_pp, 12 chi_square, 13 df, 14 p_value
set terminal pngcairo size 800,1000 font "DejaVu Sans,10"
set output png
set datafile separator ","
unset key
set style fill solid 0.85 border -1
set grid ytics lc rgb "#dddddd"
set tics nomirror
set border 3

stated_colour = "#9a9a9a"
drawn_colour = "#2b6cb0"
band_colour = "#cfe0f3"

# The sign sets stand in groups of four places (three signs and a gap), the
# match sets in groups of fourteen (up to thirteen matches and a gap); rows
# of the other kind go off the left edge (NaN would upset the tic labels).
is_sign = '(strcol(1) eq "sign")'
sx(o) = @is_sign ? column(2) * 4 + column(4) + o : -100
mx(o) = @is_sign ? -100 : (column(2) - 6) * 14 + column(4) + o
group_label = 'column(4) == 0 ? sprintf("%s\nχ² %.2f, p %.2f", strcol(3), column(12), column(14)) : ""'
w = 0.38
dev_note = "drawn − stated in percentage points (dots), ±2 standard deviations of chance (band)"

set multiplot
set lmargin at screen 0.10
set rmargin at screen 0.97

# Signs: shares.
set tmargin at screen 0.95
set bmargin at screen 0.74
set title "Each sign's share, stated (grey) and drawn (blue), 10 million draws per rule" font ",11" offset 0,0.3
set ylabel "share (%)"
set yrange [0:64]
set xrange [-0.8:22.8]
set xtics scale 0 font ",9"
plot csv skip 1 using (sx(-w/2)):($8 * 100):(w) with boxes lc rgb stated_colour notitle, \
     '' skip 1 using (sx(w/2)):($9 * 100):(w):xticlabels(5) with boxes lc rgb drawn_colour notitle, \
     '' skip 1 using (sx(1 - column(4))):(58):(@group_label) with labels font ",9" notitle

# Signs: deviations.
unset title
set label 1 dev_note at graph 0.5, 0.92 center font ",9"
set tmargin at screen 0.72
set bmargin at screen 0.56
set ylabel "drawn − stated (pp)"
set yrange [-0.06:0.06]
set ytics 0.02 format "%+.2f"
plot csv skip 1 using (sx(0)):(0):(0.35):11 with boxxyerror fs solid 1.0 noborder lc rgb band_colour notitle, \
     '' skip 1 using (sx(0)):10:xticlabels(5) with points pt 7 ps 1.0 lc rgb drawn_colour notitle

# Match choices: shares.
unset label 1
set tmargin at screen 0.46
set bmargin at screen 0.25
set title "The random match: each free match's share, stated and drawn, 1 million choices each" font ",11" offset 0,0.3
set ylabel "share (%)"
set yrange [0:16.5]
set ytics auto format "%g"
set xrange [-0.8:21.8]
plot csv skip 1 using (mx(-w/2)):($8 * 100):(w) with boxes lc rgb stated_colour notitle, \
     '' skip 1 using (mx(w/2)):($9 * 100):(w):xticlabels(5) with boxes lc rgb drawn_colour notitle, \
     '' skip 1 using (mx(column(13) / 2.0 - column(4))):(15):(@group_label) with labels font ",9" notitle

# Match choices: deviations.
unset title
set label 1 dev_note at graph 0.5, 0.92 center font ",9"
set tmargin at screen 0.23
set bmargin at screen 0.06
set ylabel "drawn − stated (pp)"
set yrange [-0.12:0.12]
set ytics 0.04 format "%+.2f"
set xlabel "match" font ",9"
plot csv skip 1 using (mx(0)):(0):(0.35):11 with boxxyerror fs solid 1.0 noborder lc rgb band_colour notitle, \
     '' skip 1 using (mx(0)):10:xticlabels(5) with points pt 7 ps 1.0 lc rgb drawn_colour notitle

unset multiplot
