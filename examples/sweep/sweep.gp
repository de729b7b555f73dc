# A temperature sweep drawn from tabsift's output: on the left the average
# energy of every run against its temperature, with the standard error of
# the average as error bar, over a band from the lowest to the highest
# energy of the run; on the right the energy of every run against the step,
# one curve per run (tabsift ends each run's table with an empty line, which
# gnuplot reads as the end of a data block).
#
# Run it in this directory, with tabsift on the PATH:
#   gnuplot sweep.gp                               (writes sweep.png)
#   gnuplot -e "out='../../doc/sweep.png'" sweep.gp
if (!exists("out")) out = 'sweep.png'
set terminal pngcairo size 900,340 font ',9'
set output out
set datafile missing '--'
set multiplot layout 1,2
set title 'Average energy of each run'
set xlabel 'T (K)'
set ylabel 'energy'
set offsets 20, 20, 5, 5
set key top left
plot '< tabsift -i r1.dat,r2.dat,r3.dat,r4.dat --comments off -r --col -c a,e,l,h -p T,2 -g 1' \
     using 1:4:5 with filledcurves fillstyle transparent solid 0.25 noborder \
     title 'lowest to highest', \
     '' using 1:2:3 with yerrorlines pointtype 7 title 'average +/- standard error'
set title 'Energy of each run'
set xlabel 'step'
set offsets 0, 0, 5, 5
set key outside right
temps = system('tabsift -i r1.dat,r2.dat,r3.dat,r4.dat --comments off -p T')
plot for [i=0:3] '< tabsift -i r1.dat,r2.dat,r3.dat,r4.dat --comments off' \
     every :::i::i using 1:2 with linespoints pointtype 7 pointsize 0.6 \
     title 'T = '.word(temps, i + 1)
unset multiplot
