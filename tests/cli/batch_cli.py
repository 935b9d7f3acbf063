#!/usr/bin/env python3
"""The batch through the real executable, where the platform decides: a CSV
as Python's csv module reads it, the progress line as a terminal receives it
(and nothing where standard error is no terminal), a pipe answered line by
line, and the peak memory of a long batch against a short one and of two
threads against one.

    batch_cli.py TAVRINEL_CLI WORK_DIR csv|progress|pipe|memory
"""
import csv
import json
import os
import pty
import random
import select
import subprocess
import sys

CLI, WORK = sys.argv[1], sys.argv[2]
GRAHAS = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu"]


def chart(name, **more):
    line = {"PersonName": name, "BirthDay": 15, "BirthMonth": 7, "BirthYear": 1990,
            "BirthHour": 12, "BirthMinute": 0, "TimeZone": 34, "LatDegrees": 28,
            "LatMinutes": 36, "LatDirection": "N", "LonDegrees": 77, "LonMinutes": 12,
            "LonDirection": "E", "DaylightSaving": False, "CityName": "New Delhi",
            "StateName": "Delhi", "CountryName": "India"}
    line.update(more)
    return json.dumps(line, ensure_ascii=False)


def random_charts(count, seed):
    pick = random.Random(seed)
    return "".join(
        chart(f"P{i}", BirthDay=pick.randint(1, 28), BirthMonth=pick.randint(1, 12),
              BirthYear=pick.randint(1901, 2050), BirthHour=pick.randint(0, 23),
              BirthMinute=pick.randint(0, 59), LatDegrees=pick.randint(0, 66)) + "\n"
        for i in range(count))


def write(name, text):
    path = os.path.join(WORK, name)
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
    return path


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check_csv():
    names = ["Ann", "Smith, Ann", 'Ann "Nan" Lee', "Ānanda Śarmā", "x,\"y\",z"]
    lines = [chart(name) for name in names]
    lines.insert(2, "{not json")
    lines.insert(3, "")
    lines.append(chart("Bo", Place="Pune, Maharashtra", Sky="precise"))
    path = write("names.jsonl", "\n".join(lines) + "\n")
    runs = [subprocess.run([CLI, "--batch", path, "--format", "csv", "--jobs", jobs],
                           capture_output=True) for jobs in ("1", "2")]
    if runs[0].stdout != runs[1].stdout:
        fail("--jobs 2 wrote another CSV than --jobs 1")
    run = runs[0]
    if run.returncode != 1 or run.stderr:
        fail(f"status {run.returncode}, stderr {run.stderr!r}: a bad line gives 1 and no message")
    text = run.stdout.decode("utf-8")  # raises on anything but UTF-8
    if not text.endswith("\r\n") or "\n" in text.replace("\r\n", ""):
        fail("rows must end in CR LF, and no bare line feed may appear")
    rows = list(csv.DictReader(text.splitlines(keepends=True), strict=True))
    header = list(csv.reader([text.splitlines()[0]]))[0]
    expected_header = (["line", "Id", "PersonName"] +
                       [g + suffix for g in GRAHAS for suffix in ("", "Dignity", "Nakshatra", "Pada")])
    if header[:3] != ["line", "Id", "PersonName"] or header[-1] != "error" or \
            not all(column in header for column in expected_header) or len(set(header)) != len(header):
        fail(f"header {header}")
    if any(None in row or None in row.values() for row in rows):
        fail("a row has another number of fields than the header")
    if [row["line"] for row in rows] != ["1", "2", "3", "5", "6", "7", "8"]:
        fail(f"line numbers {[row['line'] for row in rows]}")
    good = [row for row in rows if not row["error"]]
    if [row["PersonName"] for row in good] != names + ["Bo"]:
        fail(f"names {[row['PersonName'] for row in good]}")
    bad = rows[2]
    if bad["error"] != "malformed JSON" or any(v for k, v in bad.items() if k not in ("line", "error")):
        fail(f"bad line row {bad}")
    ann = good[0]
    # Ann's chart as the JSON output gives it.
    ann_json = json.loads(subprocess.run([CLI, "--batch", "-"], input=chart("Ann").encode(),
                                         capture_output=True).stdout)
    for i, graha in enumerate(GRAHAS):
        if (ann[graha], ann[graha + "Dignity"], ann[graha + "Nakshatra"], ann[graha + "Pada"]) != (
                ann_json["PlanetPositionTexts"][i], ann_json["Dignities"][i],
                ann_json["Nakshatras"][i], str(ann_json["Padas"][i])):
            fail(f"{graha} of Ann differs from the JSON output")
    expected = {"BirthYear": "1990", "BirthMonth": "7", "BirthDay": "15", "BirthHour": "12",
                "UtcOffsetSeconds": "19800", "DaylightSaving": "false", "Latitude": "28:36N",
                "Longitude": "77:12E", "CityName": "New Delhi", "Lagna": ann_json["Lagna"],
                "LagnaPada": str(ann_json["LagnaPada"]), "SkyName": ann_json["SkyName"],
                "SkyCheck": ann_json["SkyCheck"]["PreciseSkyName"], "SkyDifferences": ""}
    for column, value in expected.items():
        if ann[column] != value:
            fail(f"Ann's {column} is {ann[column]!r}, not {value!r}")
    bo = good[-1]
    if bo["Place"] != "Pune, Maharashtra, India" or not bo["SkyName"].startswith("Precise") \
            or bo["SkyCheck"]:
        fail(f"Bo's row {bo}")
    # A chart whose check finds differences joins its sentences with "; ".
    differing = chart("Di", BirthYear=2031, BirthMonth=7, BirthDay=21, BirthHour=11,
                      BirthMinute=34, LatDegrees=56)
    run = subprocess.run([CLI, "--batch", "-", "--format", "csv"], input=differing.encode(),
                         capture_output=True)
    row = next(csv.DictReader(run.stdout.decode().splitlines()))
    sentences = json.loads(subprocess.run([CLI, "--batch", "-"], input=differing.encode(),
                                          capture_output=True).stdout)["SkyCheck"]["Sentences"]
    if not sentences or row["SkyDifferences"] != "; ".join(sentences):
        fail(f"differences {row['SkyDifferences']!r} against {sentences}")
    # Texts a spreadsheet would run as formulas get a leading quote, unless
    # --csv-raw; the offset west of Greenwich stays a number.
    typed = {"PersonName": "=SUM(1,2)", "CityName": "@Delhi", "StateName": "+91",
             "CountryName": "-India"}
    formula = chart("", TimeZone=27, LonDirection="W", **typed)
    for options, quote in (([], "'"), (["--csv-raw"], "")):
        run = subprocess.run([CLI, "--batch", "-", "--format", "csv", *options],
                             input=formula.encode(), capture_output=True)
        row = next(csv.DictReader(run.stdout.decode().splitlines()))
        for column, text in typed.items():
            if row[column] != quote + text:
                fail(f"{options}: {column} is {row[column]!r}")
        if row["UtcOffsetSeconds"] != "-18000" or row["Longitude"] != "77:12W":
            fail(f"{options}: offset {row['UtcOffsetSeconds']!r}, longitude {row['Longitude']!r}")
    # A daylight-saving birth is an hour further east of UTC: Indian Time's
    # +5:30 becomes +6:30, Eastern Time's -5:00 becomes -4:00; and a place
    # south of the equator keeps its S.
    for zone, south, offset, latitude in ((34, "N", "23400", "28:36N"),
                                          (27, "S", "-14400", "28:36S")):
        line = chart("Dee", TimeZone=zone, DaylightSaving=True, LatDirection=south)
        run = subprocess.run([CLI, "--batch", "-", "--format", "csv"], input=line.encode(),
                             capture_output=True)
        row = next(csv.DictReader(run.stdout.decode().splitlines()))
        if (row["UtcOffsetSeconds"], row["DaylightSaving"], row["Latitude"]) != \
                (offset, "true", latitude):
            fail(f"zone {zone} with daylight saving: offset {row['UtcOffsetSeconds']!r}, "
                 f"daylight saving {row['DaylightSaving']!r}, latitude {row['Latitude']!r}")


def check_progress():
    path = write("progress.jsonl", random_charts(2000, 1))
    # Not a terminal: nothing at all on standard error.
    run = subprocess.run([CLI, "--batch", path, "--jobs", "2"], stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE)
    if run.returncode != 0 or run.stderr:
        fail(f"without a terminal: status {run.returncode}, stderr {run.stderr!r}")
    # A terminal: the line is redrawn in place and erased at the end. It is
    # drawn whenever answers are written, so that a fast machine shows it too.
    main, terminal = pty.openpty()
    with open(os.devnull, "wb") as null:
        process = subprocess.Popen([CLI, "--batch", path, "--jobs", "2"], stdout=null,
                                   stderr=terminal,
                                   env=dict(os.environ, TAVRINEL_BATCH_PROGRESS_INTERVAL_MS="0"))
    os.close(terminal)
    shown = b""
    while True:
        ready, _, _ = select.select([main], [], [], 60)
        if not ready:
            process.kill()
            fail("no end of the batch within a minute")
        try:
            data = os.read(main, 4096)
        except OSError:  # the terminal is gone with the process
            break
        if not data:
            break
        shown += data
    status = process.wait()
    text = shown.decode()
    draws = [piece for piece in text.split("\r") if piece.strip()]
    if status != 0 or not draws:
        fail(f"status {status}, terminal got {text!r}")
    first = draws[0].strip()
    if not (first.endswith(" left") and " lines (" in first and " lines/s, " in first):
        fail(f"progress line {first!r}")
    if not text.endswith("\r") or text.rstrip("\r").split("\r")[-1].strip():
        fail(f"the line is not erased at the end: {text[-120:]!r}")
    if "\n" in text:
        fail("the progress line must stay one line")


def peak_kib(path, *options):
    # /usr/bin/time measures the program alone; a child of this script would
    # count the script's own memory too.
    run = subprocess.run(["/usr/bin/time", "-f", "%M", CLI, "--batch", path, *options],
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if run.returncode != 0:
        fail(f"status {run.returncode}: {run.stderr}")
    return int(run.stderr.split()[-1])


def check_memory():
    csv_jobs = ("--no-sky-check", "--jobs", "2", "--format", "csv")
    short = peak_kib(write("short.jsonl", random_charts(2000, 2)), *csv_jobs)
    long = peak_kib(write("long.jsonl", random_charts(200000, 3)), *csv_jobs)
    print(f"peak resident memory: 2,000 lines {short} KiB, 200,000 lines {long} KiB")
    if long > short * 1.10:
        fail("200,000 lines took more than 10% above the peak of 2,000")
    # A dasha five levels deep writes some 6.6 MB a line: two threads may hold
    # a line each in the making and little more waiting to be written.
    deep = write("deep.jsonl", "".join(chart(f"D{i}", Dasha=True, DashaLevels=5) + "\n"
                                       for i in range(200)))
    one, two = (peak_kib(deep, "--no-sky-check", "--jobs", jobs) for jobs in ("1", "2"))
    print(f"peak resident memory, 200 lines of a five-level dasha: --jobs 1 {one} KiB, "
          f"--jobs 2 {two} KiB")
    if two > 2 * one + 16 * 1024:
        fail("--jobs 2 took more than twice the peak of --jobs 1 and 16 MB")


def read_answer(process, rows):
    """The next `rows` lines of standard output, waiting for no more than a
    hang takes to notice."""
    text = b""
    while text.count(b"\n") < rows:
        ready, _, _ = select.select([process.stdout], [], [], 60)
        if not ready:
            process.kill()
            fail(f"no answer within a minute; so far {text!r}")
        data = os.read(process.stdout.fileno(), 1 << 20)
        if not data:
            fail(f"the output ended; so far {text!r}")
        text += data
    return text.decode()


def check_pipe():
    # Another program talks to the batch: a line, then its answer, then the
    # next line; the input stays open throughout.
    lines = [chart("Ann"), "{bad", chart("Bo", BirthYear=1947)]
    for jobs in ("1", "2"):
        for format_, header in (("json", 0), ("csv", 1)):
            process = subprocess.Popen([CLI, "--batch", "-", "--jobs", jobs, "--format", format_],
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            for number, line in enumerate(lines, 1):
                process.stdin.write(line.encode() + b"\n")
                process.stdin.flush()
                answer = read_answer(process, 1 + (header if number == 1 else 0))
                last = answer.splitlines()[-1]
                if format_ == "json" and json.loads(last)["line"] != number:
                    fail(f"--jobs {jobs}: line {number} answered with {last!r}")
                if format_ == "csv" and not last.startswith(f"{number},"):
                    fail(f"--jobs {jobs}, CSV: line {number} answered with {last!r}")
            process.stdin.close()
            rest = process.stdout.read()
            if process.wait() != 1 or rest:
                fail(f"--jobs {jobs}: status {process.returncode}, then {rest!r}")


{"csv": check_csv, "progress": check_progress, "pipe": check_pipe,
 "memory": check_memory}[sys.argv[3]]()
print("ok")
