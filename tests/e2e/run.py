#!/usr/bin/env python3
"""Runs one end-to-end scenario: run.py --build BUILD_DIR --work WORK_DIR SCENARIO"""
import argparse
import sys
import traceback

from harness import ScenarioError, Session
from scenarios import SCENARIOS


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the windows-x86_64 build folder")
    parser.add_argument("--work", required=True, help="where prefixes, runs and artifacts go")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    scenario = SCENARIOS[args.scenario]
    try:
        with Session(args.build, args.work, honour_permissions=getattr(scenario, "honour_permissions", False)) as s:
            print(f"scenario {args.scenario} in {s.run_dir}")
            scenario(s)
    except ScenarioError as error:
        print(f"FAIL {args.scenario}: {error}")
        return 1
    except Exception:  # a broken harness must fail the test, never pass it
        traceback.print_exc()
        return 1
    print(f"PASS {args.scenario}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
