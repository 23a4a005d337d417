#!/usr/bin/env python3
"""The pulldown tool on streams ffmpeg makes here, judged by ffprobe and ffmpeg.
  run TOOL [EMULATOR]              every case of the tables below
  morvane WINE_RUN E2E_TESTS TOOL  Morvane's own Pulldown Now, its two outputs judged alike
GOP time codes are ffprobe's ("GOP timecode" side data, ';' for drop frame); the
picture each GOP starts at is counted here, as ffmpeg hangs that data on a later one.
"""
import functools, os, re, subprocess, sys, tempfile
from fractions import Fraction

# 18 macroblock rows: an odd count would be recounted in pairs once interlaced, and is refused.
SIZE, RATE = "352x288", "24000/1001"
ENCODE = ["-c:v", "mpeg2video", "-f", "mpeg2video"]
# name: rate, ffmpeg options (after the common ones), pictures, cut inside a picture
ACCEPTED = {
    "open_gop12": (RATE, ["-g", "12", "-bf", "2"], 48, False),
    "open_gop15": (RATE, ["-g", "15", "-bf", "2"], 60, False),
    "closed_no_b_tc": (RATE, ["-g", "12", "-bf", "0", "-flags", "+cgop", "-sc_threshold", "1000000000",
                              "-timecode", "01:00:00:00"], 48, False),
    "count_not_by_four": (RATE, ["-g", "12", "-bf", "2"], 51, False),
    "film_24": ("24", ["-g", "12", "-bf", "2"], 48, False),
    "cut_in_picture": (RATE, ["-g", "12", "-bf", "0"], 48, True),  # no reordering: no gap in display order
}
OUT_RATE = {RATE: "30000/1001", "24": "30/1"}
REFUSED = {
    "interlaced_2997": ("30000/1001", ["-flags", "+ilme+ildct", "-top", "1"]),
    "mpeg1": (RATE, ["-c:v", "mpeg1video", "-f", "mpeg1video"]),
    "program_stream": (RATE, ["-f", "vob"]),
    "hd_720": (RATE, ["-s", "1280x720"]),
}
# Morvane's two runs: output name, options, drop-frame time codes
RUNS = [("pulled_drop.m2v", ["-prog_frames", "p", "-drop_frame", "true"], True),
        ("pulled_nodrop.m2v", ["-prog_frames", "p"], False)]
failures = []


def fail(case, what):
    failures.append(f"{case}: {what}")
    print(f"FAILED {case}: {what}", file=sys.stderr)


def make_stream(folder, rate, options, pictures):
    """folder/movie.m2v, made by ffmpeg."""
    os.mkdir(folder)
    path = os.path.join(folder, "movie.m2v")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", f"testsrc=size={SIZE}:rate={rate}",
                    "-frames:v", str(pictures)] + ENCODE + options + [path], check=True)
    return path


def gop_headers(path):
    """For each GOP header, how many pictures are coded before it: the display
    index of its first picture, as GOPs follow one another in display order too."""
    data, pictures, gops = open(path, "rb").read(), 0, []
    at = data.find(b"\0\0\1")
    while 0 <= at < len(data) - 3:
        pictures += data[at + 3] == 0x00
        if data[at + 3] == 0xB8:
            gops.append(pictures)
        at = data.find(b"\0\0\1", at + 3)
    return gops


def frames(path):
    """ffprobe's pictures in display order, its GOP time codes, and its time base."""
    rows = subprocess.run(["ffprobe", "-v", "error", "-of", "compact", "-show_frames", "-show_entries",
                           "stream=time_base:frame=interlaced_frame,top_field_first,repeat_pict,pkt_duration"
                           ":frame_side_data=side_data_type,timecode", path],
                          capture_output=True, text=True, check=True).stdout
    pictures, timecodes, time_base = [], [], None
    for line in rows.splitlines():
        fields = dict(f.split("=", 1) for f in line.split("|")[1:] if "=" in f)
        if line.startswith("frame|"):
            pictures.append(fields)
        elif line.startswith("stream|"):
            time_base = Fraction(fields["time_base"])
        if "GOP timecode" in line:
            timecodes.append(fields["timecode"])
    return pictures, timecodes, time_base


def md5s(path):
    out = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-fps_mode", "passthrough", "-f", "framemd5", "-"],
                         capture_output=True, text=True, check=True).stdout
    return [line.rsplit(",", 1)[1].strip() for line in out.splitlines() if not line.startswith("#")]


# Each input is read twice, once for each of Morvane's two runs.
source_md5s, frames_of_source = functools.cache(md5s), functools.cache(frames)


def to_label(frame, drop):
    """A frame count at 30 (or 29.97 drop-frame) frames a second as hh:mm:ss:ff (';' for drop frame)."""
    if drop:  # 17982 frames per ten minutes, 1798 per minute but the tenth
        tens, rest = divmod(frame, 17982)
        frame += 18 * tens + (2 * ((rest - 2) // 1798) if rest >= 2 else 0)
    s, f = divmod(frame, 30)
    return f"{s // 3600:02d}:{s // 60 % 60:02d}:{s % 60:02d}{';' if drop else ':'}{f:02d}"


def from_label(label, drop):
    h, m, s, f = map(int, re.split("[:;]", label))
    minutes = 60 * h + m
    return (60 * minutes + s) * 30 + f - (2 * (minutes - minutes // 10) if drop else 0)


def expected_timecodes(source_start, gops, drop):
    h, m, s, f = map(int, re.split("[:;]", source_start))
    start = from_label(f"{h}:{m}:{s}:{f * 30 // 24}", drop)
    # Pictures alternate 3 and 2 fields from the first, so n pictures span 5n/2 fields, rounded up.
    return [to_label(start + (5 * n + 1) // 2 // 2, drop) for n in gops]


def check_output(case, source, output, drop, want_rate, cut=False):
    if os.path.getsize(output) != os.path.getsize(source):
        fail(case, f"output is {os.path.getsize(output)} bytes, input {os.path.getsize(source)}")
    pictures, timecodes, time_base = frames(output)
    if cut:  # at a broken end ffmpeg's decoder drops one of the last two pictures
        pictures = pictures[:-2]
    # ffprobe's own avg_frame_rate is guessed from the first few pictures; the
    # durations it gives every picture add up exactly.
    fields = sum(2 + int(p["repeat_pict"]) for p in pictures)
    seconds = sum(int(p["pkt_duration"]) for p in pictures) * time_base
    if Fraction(fields, 2) / seconds != Fraction(want_rate):
        fail(case, f"ffprobe: {fields} fields in {seconds} s, not {want_rate} frames a second")
    repeated = sum(p["repeat_pict"] != "0" for p in pictures)
    if repeated != (len(pictures) + 1) // 2:
        fail(case, f"ffprobe: repeat_pict on {repeated} of {len(pictures)} pictures")
    if any(p["interlaced_frame"] != "0" for p in pictures):
        fail(case, "ffprobe: a picture is not a progressive frame under -prog_frames p")
    fields = ""
    for p in pictures:
        first, second = ("T", "B") if p["top_field_first"] == "1" else ("B", "T")
        fields += first + second + (first if p["repeat_pict"] != "0" else "")
    if "TT" in fields or "BB" in fields:
        fail(case, f"two fields of one parity in a row in display order: {fields[:60]}...")
    if md5s(output) != source_md5s(source):
        fail(case, "ffmpeg decodes other pictures than the input's (framemd5)")
    want = expected_timecodes(frames_of_source(source)[1][0], gop_headers(output), drop)
    if timecodes != want:
        fail(case, f"GOP time codes {timecodes}, expected {want}")


def windows(path, emulated):
    return "Z:" + path.replace("/", "\\") if emulated else path


def run_all(tool, emulator):
    def run(source, output, flags):
        result = subprocess.run(([emulator] if emulator else []) + [tool, windows(source, emulator),
                                windows(output, emulator)] + flags, capture_output=True, text=True)
        return result.returncode, result.stderr.strip()

    with tempfile.TemporaryDirectory(prefix="pulldown streams ") as work:
        whole_stream_lines = {}
        for case, (rate, options, pictures, cut) in ACCEPTED.items():
            folder = os.path.join(work, case)
            source = make_stream(folder, rate, options, pictures)
            if cut:
                starts = [m.start() for m in re.finditer(b"\0\0\1\0", open(source, "rb").read())]
                os.truncate(source, (starts[-10] + starts[-9]) // 2)
            for name, flags, drop in RUNS:
                output = os.path.join(folder, name)
                status, err = run(source, output, flags)
                if status != 0 or not os.path.exists(output):
                    fail(f"{case} {name}", f"status {status}, stderr: {err}")
                    continue
                # The cut stream's warning comes on top of what a whole stream's run says.
                lines = len(err.splitlines())
                if cut and lines <= whole_stream_lines.get(name, 0):
                    fail(f"{case} {name}", f"no warning on stderr: '{err}'")
                whole_stream_lines.setdefault(name, lines)
                check_output(f"{case} {name}", source, output, drop, OUT_RATE[rate], cut)
        for case, (rate, options) in REFUSED.items():
            folder = os.path.join(work, case)
            source = make_stream(folder, rate, options, 24)
            output = os.path.join(folder, "pulled_drop.m2v")
            for earlier in (None, b"an earlier output"):
                if earlier:
                    open(output, "wb").write(earlier)
                status, err = run(source, output, RUNS[0][1])
                left = sorted(os.listdir(folder))
                if status == 0 or "movie.m2v" not in err or len(err.splitlines()) != 1:
                    fail(case, f"status {status}, stderr: '{err}'")
                if left != sorted(["movie.m2v"] + (["pulled_drop.m2v"] if earlier else [])):
                    fail(case, f"folder holds {left} after the refusal")
                if earlier and open(output, "rb").read() != earlier:
                    fail(case, "the existing output was changed")


def run_morvane(wine_run, tests, tool):
    with tempfile.TemporaryDirectory(prefix="pulldown e2e ") as work:
        folder = os.path.join(work, "My Encodes")
        rate, options, pictures, _ = ACCEPTED["open_gop12"]
        source = make_stream(folder, rate, options, pictures)
        env = dict(os.environ, MORVANE_PULLDOWN_STREAM=windows(source, True), MORVANE_PULLDOWN_TOOL=windows(tool, True))
        if subprocess.run([wine_run, tests, "--gtest_filter=*OwnPulldownTool*"], env=env).returncode != 0:
            fail("Pulldown Now", "the end-to-end test failed")
            return
        for name, _, drop in RUNS:
            check_output(f"Pulldown Now {name}", source, os.path.join(folder, name), drop, OUT_RATE[rate])


if __name__ == "__main__":
    if sys.argv[1] == "run":
        run_all(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)
    else:
        run_morvane(*sys.argv[2:5])
    print(f"{len(failures)} failures" if failures else "pulldown streams: all checks passed")
    sys.exit(1 if failures else 0)
