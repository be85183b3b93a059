# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# A Wine prefix of one test run's own, under the test's work folder: made on
# entry, its wineserver ended and the folder removed on exit.

import contextlib
import os
import shutil
import subprocess


def quiet(env, *command):
    # Holding no pipe of the caller's: Wine's server and services started by
    # the command outlive it and would keep the test runner waiting.
    subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)


@contextlib.contextmanager
def wine_prefix(work, tag, reg_file, **variables):
    # Yields the environment that runs Wine in the prefix, with `variables`,
    # once `reg_file` (a registry export, UTF-8 here) is imported.
    prefix = os.path.abspath(os.path.join(work, "%s_%d" % (tag, os.getpid())))
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               **variables)
    try:
        quiet(env, "wineboot", "-i")
        # reg reads a Unicode export as UTF-16 with a byte-order mark.
        imported = os.path.join(prefix, "import.reg")
        with open(reg_file, encoding="utf-8") as source, \
                open(imported, "w", encoding="utf-16") as out:
            out.write(source.read())
        quiet(env, "wine", "reg", "import", imported)
        yield env
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        shutil.rmtree(prefix, ignore_errors=True)
