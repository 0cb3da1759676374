#!/usr/bin/env python3
"""The live viewer's page in a real browser: headless Chromium through
chromium-driver loads the page that `scenario_tool serve` gives for the
embedded scenario, finds the 16 station names in both views, each name on
the plan by its own dot and the plan's kilometre ticks within the line,
reads the decoded cell under the pointer, keeps its zoom across a saved
edit, shows a saved error beside the last good drawing and leads from the
error to its place, and saves a screenshot.

    page_test.py SCENARIO_TOOL SCREENSHOT_FOLDER

Exits 77 (skipped) when selenium, chromium or chromedriver is missing."""

import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

try:
    from selenium import webdriver
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("skipped: python3-selenium is not installed")
    sys.exit(77)

CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
DRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
if not (os.access(CHROMIUM, os.X_OK) and os.access(DRIVER, os.X_OK)):
    print("skipped: chromium or chromium-driver is not installed")
    sys.exit(77)

LINE = "Alvera_Monteluce_linea.txt"
TRAIN = "Alvera_Monteluce_2734-2-.txt"
STATIONS = ["ALVERA LEVANTE", "VERZANO", "CASALFIORE", "SPINETA", "P.M. QUERCIOLA", "VALDIROSA", "CERVIANO",
            "S. QUIRICO ASPRINA", "P.C. CERASOLA", "ROCCALTA", "TORRE ALBINA", "LUCIGNANA", "BADIA-SANTERNO",
            "FORNACI ALTE", "BIVIO CORNIOLA", "MONTELUCE"]
FIRST_SIGNAL = "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n"

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED: " + what)


def save_by_rename(folder, name, text):
    temporary = os.path.join(folder, name + ".new")
    with open(temporary, "wb") as out:
        out.write(text)
    os.replace(temporary, os.path.join(folder, name))


def free_loopback_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_for(what, ready, process, log_path, seconds=30):
    """Polls ready() until it gives a value; fails with the process's log
    when the process ends first or the time runs out."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and process.poll() is None:
        value = ready()
        if value is not None:
            return value
        time.sleep(0.1)
    with open(log_path, "rb") as f:
        print(f.read().decode("utf-8", "replace")[-4000:])
    raise RuntimeError(what + " did not start")


def start(command, log_path):
    with open(log_path, "wb") as log:
        return subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT)


def stop(process):
    if process is None:
        return
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


# Selenium's own driver service, and chromedriver when it starts the browser,
# reach each other through the name "localhost", which a minimal machine
# without /etc/hosts cannot resolve. So the browser and the driver are started
# here, and everything is reached by the loopback address.
def start_chromium(profile_folder, log_path):
    process = start([CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + profile_folder, "--window-size=1400,1000",
                     "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0", "about:blank"],
                    log_path)
    port_file = os.path.join(profile_folder, "DevToolsActivePort")

    def port():
        try:
            with open(port_file) as f:
                first = f.readline().strip()
            return int(first) if first.isdigit() else None
        except OSError:
            return None
    return process, wait_for("chromium", port, process, log_path)


def start_chromedriver(log_path):
    port = free_loopback_port()
    process = start([DRIVER, "--port=%d" % port], log_path)

    def answers():
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return True
        except OSError:
            return None
    wait_for("chromedriver", answers, process, log_path)
    return process, "http://127.0.0.1:%d" % port


def attach(driver_url, debugging_port):
    options = webdriver.ChromeOptions()
    options.debugger_address = "127.0.0.1:%d" % debugging_port
    return webdriver.Remote(command_executor=driver_url, options=options)


def main(tool, screenshot_folder):
    work = tempfile.mkdtemp(prefix="serve-page-")
    server = None
    chromium = None
    chromedriver = None
    driver = None
    try:
        subprocess.run([tool, "sources", "."], cwd=work, check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(work, TRAIN), "rb") as f:
            train = f.read()
        server = subprocess.Popen([tool, "serve", LINE, TRAIN], cwd=work, stdout=subprocess.PIPE, text=True)
        first = server.stdout.readline()
        match = re.fullmatch(r"serving (http://127\.0\.0\.1:\d+/)\n", first)
        if not match:
            check(False, "first line: %r" % first)
            return
        url = match.group(1)

        chromium, debugging_port = start_chromium(os.path.join(work, "chromium-profile"),
                                                  os.path.join(work, "chromium.log"))
        chromedriver, driver_url = start_chromedriver(os.path.join(work, "chromedriver.log"))
        driver = attach(driver_url, debugging_port)
        wait = WebDriverWait(driver, 10)
        driver.get(url)
        wait.until(lambda d: d.execute_script("return document.body.dataset.drawnRevision") == "1")

        for view in ("plan", "profile"):
            # The label's own text, without the tooltip it holds.
            names = driver.execute_script(
                "return Array.from(document.querySelectorAll(arguments[0])).map(e => e.firstChild.nodeValue)",
                "#%s text.station-label" % view)
            check(names == STATIONS, "%s shows the 16 station names: %s" % (view, names))
        check(len(driver.find_elements(By.CSS_SELECTOR, "#profile line.signal-tick")) == 45, "45 signal ticks")

        # On the plan each name stands by its own dot, the last one too, whose
        # neighbours take its first places: at most 25 px from the dot (the
        # nearer places, 9 or 20 px out and a line up or down), not across the
        # farthest gap. The kilometre ticks end with the line, at 90 km of its
        # 97, though the track runs on over the route's slack.
        plan_labels = driver.execute_script(
            "const at = (e, x, y) => [e.firstChild ? e.firstChild.nodeValue : null,"
            "                         +e.getAttribute(x), +e.getAttribute(y)];"
            "return [Array.from(document.querySelectorAll('#plan circle.station-mark')).map(e => at(e, 'cx', 'cy')),"
            "        Array.from(document.querySelectorAll('#plan text.station-label')).map(e => at(e, 'x', 'y'))]")
        marks, labels = plan_labels
        check(len(marks) == len(STATIONS) and len(labels) == len(STATIONS),
              "a dot and a label for each station: %d, %d" % (len(marks), len(labels)))
        for (_, dot_x, dot_y), (name, x, y) in zip(marks, labels):
            away = ((x - dot_x) ** 2 + (y - dot_y) ** 2) ** 0.5
            check(away <= 25, "%s stands %.1f px from its dot" % (name, away))
        ticks = len(driver.find_elements(By.CSS_SELECTOR, "#plan line.km-tick"))
        check(ticks == 9, "a plan tick every 10 km up to 90 km, none past the line's end: %d" % ticks)

        # The pointer over metre 1125: cell 22, the signal placed for 1050 m.
        # Zoomed to 2 km first, so that a pixel is a few metres.
        profile = driver.find_element(By.ID, "profile")
        driver.execute_script("window.viewer.show(0, 2000)")
        def point_at(metre):
            rect = driver.execute_script("return arguments[0].getBoundingClientRect().toJSON()", profile)
            x = driver.execute_script("return window.viewer.clientXOfMetre(arguments[0])", metre)
            ActionChains(driver).move_to_element_with_offset(
                profile, int(round(x - rect["left"] - rect["width"] / 2)), 0).perform()
            return driver.find_element(By.ID, "cell-info").text
        cell = point_at(1125)
        check("cell       22" in cell, "cell 22 under the pointer:\n" + cell)
        check("gradient   +2 \u2030" in cell, "gradient in per mille:\n" + cell)
        check(re.search(r"speed      \d+ km/h", cell) is not None, "speed limit in km/h:\n" + cell)
        check("cell holds signal, values (left/right) 4/0 1/0 0/0" in cell, "the decoded signal:\n" + cell)
        driver.execute_script("window.viewer.show(2000, 4000)")
        cell = point_at(2760)
        check("station    VERZANO at 2.75 km" in cell, "inside the second station's stretch:\n" + cell)

        # Zoom in on the profile with the wheel; a new revision keeps the zoom.
        driver.execute_script("window.viewer.showAll()")
        whole = driver.execute_script("return window.viewer.range()")
        ActionChains(driver).scroll_from_origin(
            webdriver.common.actions.wheel_input.ScrollOrigin.from_element(profile, 0, 0), 0, -300).perform()
        zoomed = driver.execute_script("return window.viewer.range()")
        check(zoomed[1] - zoomed[0] < whole[1] - whole[0], "the wheel zooms in: %s from %s" % (zoomed, whole))

        save_by_rename(work, TRAIN, train.replace(FIRST_SIGNAL.encode(), b"", 1))
        wait.until(lambda d: d.execute_script("return document.body.dataset.drawnRevision") == "2")
        check(driver.execute_script("return window.viewer.range()") == zoomed, "the zoom outlives a new revision")
        data = json.loads(driver.execute_script(
            "return fetch('/api/scenario').then(r => r.text())"))
        check(len(data["signals"]) == 44, "the saved edit is served: %d signals" % len(data["signals"]))
        driver.execute_script("window.viewer.show(0, 2000)")
        cell = point_at(1125)
        check("cell       22" in cell and "cell holds signal" not in cell, "the removed signal is gone from the page:\n" + cell)

        # A saved error: the drawing stays, the error is listed and leads to its place.
        broken = train.replace(b"segnale,    2250,", b"segnale,    1050,", 1)
        save_by_rename(work, TRAIN, broken)
        wait.until(lambda d: d.execute_script("return document.body.dataset.drawnRevision") == "3")
        banner = driver.find_element(By.ID, "banner")
        check(banner.is_displayed() and "revision 2" in banner.text, "the banner names the drawing kept: " + banner.text)
        check(len(driver.find_elements(By.CSS_SELECTOR, "#profile text.station-label")) == 16 or
              len(driver.find_elements(By.CSS_SELECTOR, "#profile line.station-line")) > 0,
              "the last good drawing stays")
        errors = driver.find_elements(By.CSS_SELECTOR, "#diagnostics li.error")
        check(len(errors) == 1 and "error 16" in errors[0].text and ":42:" in errors[0].text,
              "the error is listed with its line: %s" % [e.text for e in errors])
        if errors:
            errors[0].click()
            shown = driver.execute_script("return window.viewer.range()")
            check(shown[0] <= 1050 <= shown[1], "clicking the error shows 1050 m: %s" % shown)
            check(len(driver.find_elements(By.CSS_SELECTOR, "#profile line.diagnostic-mark")) == 1,
                  "the error's place is marked")

        save_by_rename(work, TRAIN, train)
        wait.until(lambda d: d.execute_script("return document.body.dataset.drawnRevision") == "4")
        check(not driver.find_element(By.ID, "banner").is_displayed(), "the banner goes with the error")
        ActionChains(driver).double_click(profile).perform()
        check(driver.execute_script("return window.viewer.range()")[0] == 0, "a double click shows the whole line")
        point_at(36700)
        os.makedirs(screenshot_folder, exist_ok=True)
        shot = os.path.join(screenshot_folder, "serve_page.png")
        driver.save_screenshot(shot)
        print("screenshot: " + shot)
        logs = [entry for entry in driver.get_log("browser") if entry.get("level") == "SEVERE"]
        check(not logs, "no errors in the browser console: %s" % logs)
    finally:
        if driver is not None:
            driver.quit()
        stop(chromedriver)
        stop(chromium)
        if server is not None:
            server.send_signal(signal.SIGINT)
            try:
                status = server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                server.kill()
                status = None
            check(status == 0, "Ctrl-C ends the server with status 0, not %s" % status)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), sys.argv[2])
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)
    print("all checks passed")
