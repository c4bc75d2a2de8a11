#!/usr/bin/python3
"""Checks that saving a document changes nothing that is drawn.

For every .svg file under the given folders that zorsvg can draw, the drawing
of the file is compared with the drawing of the file saved as SVG text and
read again, and with the drawing of the file saved in the binary form and
read again. Prints the number of files checked and each file whose drawings
differ, with how much.

    tools/roundtrip_check.py --zorsvg build/tools/zorsvg FOLDER [FOLDER...]
"""

import argparse
import concurrent.futures
import os
import subprocess
import sys
import tempfile

import numpy
from PIL import Image


def run(command, timeout, stdin=None, cwd=None):
    return subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=timeout,
                          cwd=cwd)


def draw(zorsvg, source, picture, size, timeout, folder=None):
    """Draws source; with folder, reads it from standard input in that folder, so
    that its relative file references resolve where the original's did."""
    command = [zorsvg, "render", "-" if folder else source, "-o", picture, "-w", str(size), "-h", str(size)]
    if folder:
        with open(source, "rb") as stdin:
            result = run(command, timeout, stdin, folder)
    else:
        result = run(command, timeout)
    if result.returncode != 0:
        raise RuntimeError(result.stderr.decode(errors="replace").strip())
    return numpy.asarray(Image.open(picture).convert("RGBA"), dtype=numpy.int16)


def compare(first, second, tolerance):
    """The number of pixels that differ by more than tolerance in a channel, and the largest difference."""
    if first.shape != second.shape:
        return first.shape[0] * first.shape[1], 255
    difference = numpy.abs(first - second).max(axis=2)
    return int((difference > tolerance).sum()), int(difference.max())


def check(zorsvg, path, size, tolerance, save_args, timeout):
    """(path, status, details): status is "skipped" (does not draw), "same" or "differs"."""
    with tempfile.TemporaryDirectory(prefix="roundtrip-") as folder:
        original_png = os.path.join(folder, "original.png")
        try:
            original = draw(zorsvg, path, original_png, size, timeout)
        except (RuntimeError, subprocess.TimeoutExpired) as error:
            return path, "skipped", str(error)
        findings = []
        for form, suffix, extra in (("text", ".svg", []), ("binary", ".bin", ["--binary"])):
            saved = os.path.join(folder, "saved" + suffix)
            try:
                result = run([zorsvg, "save", path, "-o", saved] + extra + save_args, timeout)
                if result.returncode != 0:
                    findings.append(f"{form}: save failed: {result.stderr.decode(errors='replace').strip()}")
                    continue
                again = draw(zorsvg, saved, os.path.join(folder, "again.png"), size, timeout,
                             os.path.dirname(os.path.abspath(path)))
            except (RuntimeError, subprocess.TimeoutExpired) as error:
                findings.append(f"{form}: saved file does not draw: {error}")
                continue
            pixels, largest = compare(original, again, tolerance)
            if pixels:
                findings.append(f"{form}: {pixels} pixels differ, by up to {largest}")
        return path, ("differs" if findings else "same"), "; ".join(findings)


def svg_files(folders):
    for folder in folders:
        for root, _, names in os.walk(folder):
            for name in sorted(names):
                if name.endswith(".svg"):
                    yield os.path.join(root, name)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("folders", nargs="+")
    parser.add_argument("--zorsvg", default="build/tools/zorsvg", type=os.path.abspath)
    parser.add_argument("--size", type=int, default=256, help="side of the drawings in pixels")
    parser.add_argument("--tolerance", type=int, default=2, help="largest difference per channel that counts as equal")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=120, help="seconds for one zorsvg run")
    parser.add_argument("--save-arg", action="append", default=[], help="passed to zorsvg save (--exact, --full)")
    arguments = parser.parse_args()

    files = sorted(svg_files(arguments.folders))
    counts = {"same": 0, "differs": 0, "skipped": 0}
    differing = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=arguments.jobs) as pool:
        jobs = [pool.submit(check, arguments.zorsvg, path, arguments.size, arguments.tolerance, arguments.save_arg,
                            arguments.timeout) for path in files]
        for job in concurrent.futures.as_completed(jobs):
            path, status, details = job.result()
            counts[status] += 1
            if status == "differs":
                differing.append((path, details))
    checked = counts["same"] + counts["differs"]
    print(f"{len(files)} files, {checked} drawn and checked, {counts['skipped']} do not draw")
    print(f"{counts['same']} survive saving as text and in the binary form, {counts['differs']} differ")
    for path, details in sorted(differing):
        print(f"  {path}: {details}")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
