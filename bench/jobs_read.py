"""Reading: a whole run whose output is tiny, so the time is the load."""
from bench import job

JOBS = [
    job("load floats (keeps no line)", "floats.dat",
        "-i {file} --comments off -f 1,lt-1e300",
        {"mawk": "mawk '$1 < -1e300' {file}",
         "gawk": "gawk '$1 < -1e300' {file}"}),
]
