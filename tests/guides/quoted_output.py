#!/usr/bin/env python3
"""What the guides and the README show the programs printing, run and
compared line by line with what they print today.

A quote is a transcript, as a console shows it: a prompt with the command
typed after it, then what the command printed, then the next prompt.  In
the guides a quote is a block indented by blanks whose first line is a
prompt, C:\\DIR>COMMAND; in the README a fenced block whose first line is
one, $ COMMAND.  Each command runs in the prompt's directory, one
transcript in one shell, so that "echo %ERRORLEVEL%" sees the command
before it.  In what a command printed, a line "..." (whatever its indent)
stands for any lines there, none too, and "..." within a line for any
text; blank lines at either end and blanks at the ends of lines do not
count.  A block whose
first line is wholly in parentheses, "(the report with ...)", quotes
output that cannot be run as it stands: it is counted and said, not run.
What a command printed is read as the console shows it, in code page 866
under Windows, except what begins with UTF-8's byte order mark (a CSV),
which is read as UTF-8.

  quoted_output.py guides HOME   both guides, under Wine: HOME is the
                                 package unpacked as C:\\RINGCHECK in
                                 WINEPREFIX; cmd runs each transcript, and
                                 RINGCHECK_LANG is the guide's language
  quoted_output.py readme BUILD  README.md, by sh on this system, from a
                                 folder laid out as the repository, with
                                 build/ holding BUILD's programs and a
                                 fresh build/sample-station
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

TOP = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
GUIDES = [("packaging/windows/guide-en.txt", "en"),
          ("packaging/windows/guide-ru.txt", "ru")]
WINDOWS_PROMPT = re.compile(r"^([A-Za-z]:\\[^ >]*)>(.*)$")
POSIX_PROMPT = re.compile(r"^()\$ (.*)$")
MARK = "@@@ quoted output of command "


def indented_blocks(lines):
    """(line number of the first line, lines without their indent) for each
    run of lines indented by four blanks or more."""
    at = 0
    while at < len(lines):
        indent = len(lines[at]) - len(lines[at].lstrip(" "))
        if indent < 4 or not lines[at].strip():
            at += 1
            continue
        start, block = at, []
        while at < len(lines) and (not lines[at].strip() or
                                   lines[at].startswith(" " * indent)):
            block.append(lines[at][indent:])
            at += 1
        yield start + 1, block


def fenced_blocks(lines):
    at = 0
    while at < len(lines):
        if lines[at].startswith("```"):
            end = at + 1
            while end < len(lines) and not lines[end].startswith("```"):
                end += 1
            yield at + 2, lines[at + 1:end]
            at = end
        at += 1


def transcripts(blocks, prompt):
    """Each quote as (line number, [(directory, command, line number of the
    command, expected lines)]), or (line number, None) when it is marked
    as not runnable."""
    for first, block in blocks:
        if not block:
            continue
        if re.fullmatch(r"\(.*\)", block[0].strip()):
            yield first, None
            continue
        if not prompt.match(block[0]):
            continue
        commands = []
        for offset, line in enumerate(block):
            typed = prompt.match(line)
            if typed:
                commands.append((typed.group(1), typed.group(2).strip(),
                                 first + offset, []))
            else:
                commands[-1][3].append((first + offset, line))
        yield first, commands


def trimmed(lines):
    lines = [(number, text.rstrip()) for number, text in lines]
    while lines and not lines[0][1]:
        lines.pop(0)
    while lines and not lines[-1][1]:
        lines.pop()
    return lines


def line_matches(expected, printed):
    if "..." not in expected:
        return expected == printed
    pattern = ".*".join(re.escape(part) for part in expected.split("..."))
    return re.fullmatch(pattern, printed) is not None


def first_mismatch(expected, printed):
    """None when the printed lines are the expected ones; else the index of
    the expected line that no way of matching gets past, and the printed
    line it was held against."""
    furthest = [-1, 0]
    seen = set()

    def match(i, j):
        if (i, j) in seen:
            return False
        seen.add((i, j))
        if i == len(expected):
            if j == len(printed):
                return True
        elif expected[i].strip() == "...":
            return any(match(i + 1, k) for k in range(j, len(printed) + 1))
        elif j < len(printed) and line_matches(expected[i], printed[j]):
            return match(i + 1, j + 1)
        if i > furthest[0]:
            furthest[:] = [i, j]
        return False

    return None if match(0, 0) else tuple(furthest)


def run_under_wine(home, language, commands):
    """The transcript's commands in one cmd, each after a marker line; what
    each printed, in code page 866 as a redirected console writes it."""
    drive = os.path.dirname(home)
    shutil.rmtree(home + ".pristine", ignore_errors=True)
    shutil.copytree(home, home + ".pristine", symlinks=True)
    script = ["@echo off"]
    directory = None
    for number, (prompt_dir, command, _, _) in enumerate(commands):
        if prompt_dir != directory:
            script.append("cd /d " + prompt_dir)
            directory = prompt_dir
        script += ["echo " + MARK + str(number), command]
    with open(os.path.join(drive, "QUOTED.BAT"), "wb") as batch:
        batch.write("\r\n".join(script + [""]).encode("cp866"))
    wine = os.environ.get("RINGCHECK_RUNNER", "wine")
    timeout = int(os.environ.get("RINGCHECK_WINE_TIMEOUT", "120"))
    try:
        result = subprocess.run(
            [wine, "cmd", "/c", "C:\\QUOTED.BAT"], cwd=drive,
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, timeout=timeout,
            env=dict(os.environ, RINGCHECK_LANG=language, WINEDEBUG="-all"))
        output = result.stdout
    finally:
        shutil.rmtree(home)
        shutil.move(home + ".pristine", home)
    return output.replace(b"\r\n", b"\n")


def run_with_sh(root, commands):
    output = []
    for number, (_, command, _, _) in enumerate(commands):
        result = subprocess.run(
            ["sh", "-c", command], cwd=root, stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
            env=dict(os.environ, RINGCHECK_LANG="en", LC_ALL="C.UTF-8"))
        output.append((MARK + str(number) + "\n").encode())
        output.append(result.stdout)
    return b"".join(output)


def printed_by_command(output, count, encoding):
    parts = re.split(b"^" + re.escape(MARK.encode()) + rb"(\d+)\n", output,
                     flags=re.M)
    printed = [[] for _ in range(count)]
    for at in range(1, len(parts) - 1, 2):
        text = parts[at + 1]
        if text.startswith(b"\xef\xbb\xbf"):
            text = text[3:].decode("utf-8", "replace")
        else:
            text = text.decode(encoding, "replace")
        printed[int(parts[at])] = text.split("\n")
    return printed


def check(name, quotes, run, encoding):
    """Runs each quote of one document; the count of quotes run, of those
    not runnable, and the failures said."""
    ran = marked = failed = 0
    for first, commands in quotes:
        if commands is None:
            marked += 1
            continue
        ran += 1
        printed = printed_by_command(run(commands), len(commands), encoding)
        for (_, command, where, expected), lines in zip(commands, printed):
            expected = trimmed(expected)
            lines = [text for _, text in trimmed(enumerate(lines))]
            wrong = first_mismatch([text for _, text in expected], lines)
            if wrong is None:
                continue
            failed += 1
            i, j = wrong
            print(f"FAIL: {name}:{where}: {command}")
            if i < len(expected):
                print(f"  {name}:{expected[i][0]} quotes: {expected[i][1]!r}")
            else:
                print(f"  {name}:{where}: the quote ends here")
            if i > 0 and expected[i - 1][1].strip() == "...":
                shown = "no such line after the ones above"
            else:
                shown = repr(lines[j]) if j < len(lines) else "(nothing more)"
            print(f"  the program printed:  {shown}")
            print("  The guide must follow the program: mend the quote, unless the"
                  " program was changed by mistake.")
            print("  All it printed:\n    " + "\n    ".join(lines))
    print(f"{name}: {ran} quotes run, {failed} failed; "
          f"{marked} marked as not runnable")
    return failed


def read_lines(path):
    with open(os.path.join(TOP, path), encoding="utf-8") as text:
        return text.read().split("\n")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("guides", "readme"):
        sys.exit("usage: quoted_output.py guides HOME | readme BUILD")
    failed = 0
    if sys.argv[1] == "guides":
        home = sys.argv[2]
        for path, language in GUIDES:
            quotes = transcripts(indented_blocks(read_lines(path)), WINDOWS_PROMPT)
            failed += check(path, quotes,
                            lambda commands: run_under_wine(home, language, commands),
                            "cp866")
    else:
        build = os.path.abspath(sys.argv[2])
        with tempfile.TemporaryDirectory() as root:
            quotes = list(transcripts(fenced_blocks(read_lines("README.md")),
                                      POSIX_PROMPT))

            def run(commands):
                shutil.rmtree(os.path.join(root, "build"), ignore_errors=True)
                os.makedirs(os.path.join(root, "build"))
                for program in ("ringcheck", "ringcheck-explain"):
                    os.symlink(os.path.join(build, program),
                               os.path.join(root, "build", program))
                shutil.copytree(os.path.join(TOP, "examples", "station"),
                                os.path.join(root, "build", "sample-station"))
                if not os.path.exists(os.path.join(root, "examples")):
                    os.symlink(os.path.join(TOP, "examples"),
                               os.path.join(root, "examples"))
                return run_with_sh(root, commands)

            failed += check("README.md", quotes, run, "utf-8")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
