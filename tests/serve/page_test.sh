#!/usr/bin/env bash
# Runs page_test.py with a Python that has selenium (Debian's python3-selenium
# lives under /usr/bin/python3, which another python3 on PATH may hide).
# Exits 77 (skipped) when none has it.
here=$(dirname "$0")
for python in /usr/bin/python3 python3; do
  if command -v "$python" >/dev/null && "$python" -c "import selenium" 2>/dev/null; then
    exec "$python" "$here/page_test.py" "$@"
  fi
done
echo "skipped: no python3 with selenium (Debian python3-selenium)"
exit 77
