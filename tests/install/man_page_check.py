#!/usr/bin/env python3
"""Checks that the manual page of boardsmith-cli is in step with its --help.

Every command that `boardsmith-cli --help` lists has a subsection (.SS) in the
COMMANDS section of the page, named by the command, that names each option
the command's own --help shows; the page documents no command the program
does not have; the global options are in OPTIONS. The .TH line of every page
given names the program's version, and every page renders without groff
warnings.

Usage: man_page_check.py --cli BOARDSMITH_CLI --page boardsmith-cli.1
                         [--render-only OTHER.1 ...]
"""
import argparse
import re
import shutil
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--[a-z0-9][a-z0-9-]*")


def run(cmd):
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit(f"{' '.join(cmd)} failed ({r.returncode}):\n{r.stdout}{r.stderr}")
    return r.stdout


def plain(roff):
    """The text of roff source without font escapes and with plain hyphens."""
    text = re.sub(r"\\f(\[[^]]*\]|\(..|.)", "", roff)
    text = text.replace("\\-", "-").replace("\\~", " ").replace("\\ ", " ").replace("\\&", "")
    return text


def commands_of_help(text):
    lines = text.splitlines()
    if "Commands:" not in lines:
        sys.exit("boardsmith-cli --help has no 'Commands:' list:\n" + text)
    cmds = []
    for line in lines[lines.index("Commands:") + 1:]:
        if not line.strip():
            break
        m = re.match(r"  ([a-z][a-z0-9-]*)\s", line)
        if not m:
            sys.exit(f"unexpected line in the command list of --help: {line!r}")
        cmds.append(m.group(1))
    if not cmds:
        sys.exit("boardsmith-cli --help lists no commands")
    return cmds


def sections(page):
    """Top-level sections (.SH name -> source) and the COMMANDS subsections
    (command -> source of every .SS whose heading starts with it)."""
    top, subs = {}, {}
    current_sh, current_ss = None, None
    for line in page.splitlines():
        if line.startswith(".SH"):
            current_sh = plain(line[3:]).strip().strip('"')
            current_ss = None
            top.setdefault(current_sh, "")
            continue
        if current_sh == "COMMANDS" and line.startswith(".SS"):
            heading = plain(line[3:]).strip().strip('"').split()
            current_ss = heading[0] if heading else ""
            subs.setdefault(current_ss, "")
            subs[current_ss] += line + "\n"
            continue
        if current_sh is not None:
            top[current_sh] += line + "\n"
        if current_ss is not None:
            subs[current_ss] += line + "\n"
    return top, subs


def check_page(cli, page_path):
    problems = []
    page = open(page_path, encoding="utf-8").read()
    top, subs = sections(page)
    if "COMMANDS" not in top:
        return [f"{page_path} has no COMMANDS section"]

    main_help = run([cli, "--help"])
    commands = commands_of_help(main_help)
    for name in commands:
        if name not in subs:
            problems.append(f"command '{name}' (listed by --help) has no '.SS {name} ...' subsection")
            continue
        documented = set(OPTION.findall(plain(subs[name])))
        for option in sorted(set(OPTION.findall(run([cli, name, "--help"])))):
            if option not in documented:
                problems.append(f"command '{name}': option {option} (in '{name} --help') is not in its subsection")
    for name in subs:
        if name not in commands:
            problems.append(f"subsection '{name}' documents a command that --help does not list")

    usage = main_help.splitlines()[0]
    global_options = set(OPTION.findall(plain(top.get("OPTIONS", ""))))
    for option in sorted(set(OPTION.findall(usage))):
        if option not in global_options:
            problems.append(f"global option {option} (in the --help usage line) is not in OPTIONS")

    return problems + version_problems(cli, page_path)


def version_problems(cli, page_path):
    version = run([cli, "--version"]).split()[-1]
    page = open(page_path, encoding="utf-8").read()
    th = next((line for line in page.splitlines() if line.startswith(".TH")), "")
    if version not in th.replace('"', " ").split():
        return [f"the .TH line of {page_path} does not name version {version}: {th}"]
    return []


def render_problems(page_path):
    groff = shutil.which("groff")
    if not groff:
        print(f"note: groff is missing, {page_path} was not rendered")
        return []
    r = subprocess.run([groff, "-man", "-ww", "-z", "-Tutf8", page_path], capture_output=True, text=True)
    if r.returncode != 0 or r.stderr.strip():
        return [f"groff warns about {page_path}:\n{r.stderr}"]
    return []


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--page", required=True)
    ap.add_argument("--render-only", nargs="*", default=[])
    a = ap.parse_args()
    problems = check_page(a.cli, a.page)
    for p in a.render_only:
        problems += version_problems(a.cli, p)
    for p in [a.page] + a.render_only:
        problems += render_problems(p)
    if problems:
        print(f"{a.page} is not in step with boardsmith-cli:")
        for p in problems:
            print("  " + p)
        return 1
    print(f"{a.page}: every command and option of boardsmith-cli --help is documented")
    return 0


if __name__ == "__main__":
    sys.exit(main())
