"""The JSON that `scenario_tool dump` prints, checked against docs/dump.schema.json
with a real JSON Schema validator (Debian's python3-jsonschema): each kind of
compiled file fits it, and documents that break it in the ways an editor or a
script would are refused.

Usage: dump_schema_test.py SCENARIO_TOOL SCHEMA
"""

import copy
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

# The embedded scenario's route and scenario table hold every kind of cell
# and entry; the plan is checked on the small scenario `new` writes, whose
# 13,000 metres a validator reads in a second (the embedded 104,000 take it
# twenty).
ROUTE = "Alvera_Monteluce_2734-2.dat"
SCENARIO = "Alvera_Monteluce_2734-2.sim"
LINE_DATA = "Prova_linea.dat"


def run(tool, arguments, folder):
    result = subprocess.run([tool, *arguments], cwd=folder, capture_output=True, encoding="utf-8", check=False)
    if result.returncode != 0:
        sys.exit(f"scenario_tool {' '.join(arguments)} exited {result.returncode}: {result.stderr}")
    return result.stdout


def set_at(document, pointer, value):
    """Sets the value at a JSON pointer of the form /name/3/name."""
    *path, last = [int(part) if part.isdigit() else part for part in pointer.strip("/").split("/")]
    for part in path:
        document = document[part]
    document[last] = value


def main():
    tool, schema_path = os.path.abspath(sys.argv[1]), sys.argv[2]
    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    validator_class = jsonschema.validators.validator_for(schema)
    validator_class.check_schema(schema)
    validator = validator_class(schema, format_checker=jsonschema.FormatChecker())

    faults = []
    with tempfile.TemporaryDirectory() as folder:
        run(tool, ["sources", "."], folder)
        run(tool, ["compile", "Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt"], folder)
        run(tool, ["new", "Prova"], folder)
        run(tool, ["compile", "Prova_linea.txt", "Prova_1-.txt"], folder)
        documents = {name: json.loads(run(tool, ["dump", name], folder)) for name in (ROUTE, SCENARIO, LINE_DATA)}

    for name, document in documents.items():
        for error in validator.iter_errors(document):
            faults.append(f"{name} does not fit the schema at {error.json_path}: {error.message}")

    # The broken documents are the route's first cells (to cell 30, past the
    # signal at cell 22): each is refused for its one fault, not for its size.
    route = copy.deepcopy(documents[ROUTE])
    del route["cells"][31:]
    if not validator.is_valid(route):
        faults.append("the route's first 31 cells alone do not fit the schema")
    broken_cases = [
        ("a kind name the format does not have", "/cells/22/kind_name", "semaphore"),
        ("a byte out of range", "/cells/3/gradient", 256),
        ("a speed that is no multiple of 5", "/cells/3/speed_limit_kmh", 33),
        ("a text where a number belongs", "/cells/3/param1", "12"),
        ("an unknown document kind", "/kind", "plan"),
        ("a field the format does not have", "/cells/3/colour", "red"),
    ]
    for what, pointer, value in broken_cases:
        broken = copy.deepcopy(route)
        set_at(broken, pointer, value)
        if validator.is_valid(broken):
            faults.append(f"the schema accepts {what} ({pointer} = {value!r})")
    missing = copy.deepcopy(route)
    del missing["cells"][0]["gradient_per_mille"]
    if validator.is_valid(missing):
        faults.append("the schema accepts a route cell without its decoded gradient")
    scenario = copy.deepcopy(documents[SCENARIO])
    scenario["entries"][1]["time"] = "7:5"
    if validator.is_valid(scenario):
        faults.append("the schema accepts a time that is not hh:mm:ss")

    for fault in faults:
        print(fault)
    print(f"{len(documents)} documents and {len(broken_cases) + 2} broken ones checked: {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
