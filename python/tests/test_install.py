import os
import shutil
import subprocess
import sys

import pytest

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def test_the_package_installs_offline_and_posts(tmp_path):
    pytest.importorskip("pip")
    # A copy, so that the build leaves nothing in the source tree.
    source = tmp_path / "source"
    shutil.copytree(SOURCE, source, ignore=shutil.ignore_patterns("build", "*.egg-info",
                                                                  "__pycache__", "tests"))
    target = tmp_path / "site"
    subprocess.run([sys.executable, "-m", "pip", "install", "--quiet", "--no-build-isolation",
                    "--no-index", "--disable-pip-version-check", "--target", str(target),
                    str(source)], check=True, cwd=tmp_path)
    script = (
        "import ledgernova, sys\n"
        "assert ledgernova.__file__.startswith(sys.argv[1]), ledgernova.__file__\n"
        "with ledgernova.open(sys.argv[2]) as ledger:\n"
        "    ledger.set_parameter('P', 'v')\n"
        "    print(ledger.get_parameter('P'))\n"
    )
    environment = dict(os.environ, PYTHONPATH=str(target))
    done = subprocess.run([sys.executable, "-c", script, str(target), str(tmp_path / "l.db")],
                          check=True, capture_output=True, text=True, env=environment,
                          cwd=tmp_path)
    assert done.stdout == "v\n"
