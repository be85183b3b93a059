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
def wine_prefix(work, tag, values=(), **variables):
    # Yields the environment that runs Wine in the prefix, with `variables`.
    # `values` are added to its registry first, each as (key, value name or
    # None for the key's default value, type, data or None for none).
    prefix = os.path.abspath(os.path.join(work, "%s_%d" % (tag, os.getpid())))
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               **variables)
    try:
        quiet(env, "wineboot", "-i")
        for key, value, kind, data in values:
            name = ["/ve"] if value is None else ["/v", value]
            content = [] if data is None else ["/d", data]
            quiet(env, "wine", "reg", "add", key, *name, "/t", kind, *content, "/f")
        yield env
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        shutil.rmtree(prefix, ignore_errors=True)
