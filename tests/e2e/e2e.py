"""Runs one end-to-end scenario against the real program:
    e2e.py PROGRAM SCENARIO
Prints the step that failed and exits 1 on failure."""
import sys
import tempfile
import traceback

import benchmarks
import harness
import monkey
import scenarios


def main():
    program, name = sys.argv[1], sys.argv[2]
    # The benchmarks run the same way, when asked for by name.
    scenario = (getattr(scenarios, "scenario_" + name, None) or getattr(monkey, "scenario_" + name, None)
                or getattr(benchmarks, "bench_" + name, None))
    if scenario is None:
        print(f"unknown scenario {name}")
        return 2
    with tempfile.TemporaryDirectory() as workdir:
        session = None
        try:
            session = harness.Session(program, workdir, getattr(scenario, "screen", harness.SCREEN),
                                      getattr(scenario, "scale", None), getattr(scenario, "native", False))
            scenario(session, workdir)
        except harness.Failure as e:
            print(f"FAILED {name}: {e}")
            if session:
                try:
                    session.screenshot(f"/tmp/e2e-{name}-failed.png")
                    print(f"screenshot: /tmp/e2e-{name}-failed.png")
                except Exception:
                    pass
            return 1
        except Exception:
            step = session.step_name if session else "start-up"
            print(f"FAILED {name} at step '{step}':")
            traceback.print_exc()
            return 1
        finally:
            if session:
                session.close()
    print(f"passed {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
