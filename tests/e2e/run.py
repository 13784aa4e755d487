#!/usr/bin/env python3
"""Runs one end-to-end scenario: run.py --build BUILD_DIR --work WORK_DIR SCENARIO"""
import argparse
import sys
import traceback

from harness import ScenarioError, Session
from faults import FAULTS
from scenarios import SCENARIOS

SCENARIOS = {**SCENARIOS, **FAULTS}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the windows-x86_64 build folder")
    parser.add_argument("--work", required=True, help="where prefixes, runs and artifacts go")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    try:
        scenario = SCENARIOS[args.scenario]
        with Session(args.build, args.work,
                     honour_permissions=getattr(scenario, "honour_permissions", False)) as session:
            print(f"scenario {args.scenario} in {session.run_dir}")
            scenario(session)
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
