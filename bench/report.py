#!/usr/bin/env python3
"""Prints the benchmark table from the raw results scripts/bench.sh gathers.

Every figure is the median of its repetitions; a ratio is the figure's median
over its floor's median. Micro-benchmarks are timed in CPU time of the
benchmark thread, so that time spent waiting for the machine's other work
does not count; start-up is timed as whole-process wall time.

Usage: report.py RESULTS_DIR
"""

import glob
import json
import os
import re
import statistics
import sys

RATIO_TARGETS = {"Keystroke": 1.10, "Lookup": 1.5, "Category": 1.2}
START_RATIO_TARGET = 1.10
START_MEMORY_TARGET_MIB = 3.0
ANSWER_RATIO_TARGET = 1.5
COUNTERS_THAT_MUST_MATCH = ("boxes", "paints", "items")


def median_and_cv(values):
    mean = statistics.fmean(values)
    cv = statistics.stdev(values) / mean if len(values) > 1 and mean else 0.0
    return statistics.median(values), cv


def repetitions(path):
    """run name -> list of per-repetition runs (aggregates left out)."""
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for run in data["benchmarks"]:
        if run.get("run_type") == "iteration":
            runs.setdefault(run["run_name"], []).append(run)
    return data["context"], runs


def cpu_times_us(runs):
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    return [r["cpu_time"] * scale[r["time_unit"]] for r in runs]


def show_time_us(us):
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    if us >= 1:
        return f"{us:.1f} µs"
    return f"{us * 1000:.0f} ns"


def verdict(met):
    return "met" if met else "MISSED"


def callgrind_dumps(results, prefix):
    """Client-request dump name -> instructions counted since the last zeroing."""
    counted = {}
    for path in glob.glob(os.path.join(results, prefix + ".*")):
        with open(path) as f:
            text = f.read()
        trigger = re.search(r"^desc: Trigger: Client Request: (.*)$", text, re.M)
        summary = re.search(r"^summary: (\d+)", text, re.M)
        if trigger and summary:
            counted[trigger.group(1)] = int(summary.group(1))
    return counted


def label_order(label):
    """Keystroke, Lookup, Category; then by bestiary size, SQLite first."""
    measure, bestiary = label.split("/", 1)
    engine, rows = bestiary.rsplit(" ", 1)
    return list(RATIO_TARGETS).index(measure), int(rows), engine != "SQLite"


def pair_rows(runs, instructions, notes):
    rows = []
    labels = sorted({name.rsplit("/", 1)[0] for name in runs if not name.startswith("Scale/")}, key=label_order)
    for label in labels:
        figure, floor = runs.get(label + "/figure"), runs.get(label + "/floor")
        if not figure or not floor:
            notes.append(f"{label}: figure or floor did not run")
            continue
        (fig, fig_cv), (flo, flo_cv) = median_and_cv(cpu_times_us(figure)), median_and_cv(cpu_times_us(floor))
        target = RATIO_TARGETS[label.split("/")[0]]
        ratio = fig / flo
        fig_ir, flo_ir = instructions.get(label + "/figure"), instructions.get(label + "/floor")
        ir_ratio = f"{fig_ir / flo_ir:.3f}" if fig_ir and flo_ir else "-"
        rows.append([label.replace("/", " "), show_time_us(fig), show_time_us(flo), f"{ratio:.3f}", ir_ratio,
                     f"<= {target:.2f}", verdict(ratio <= target), f"{fig_cv:.0%} / {flo_cv:.0%}"])
        for counter in COUNTERS_THAT_MUST_MATCH:
            a, b = figure[0].get(counter), floor[0].get(counter)
            if a is not None and a != b:
                notes.append(f"{label}: {counter} per iteration differ, figure {a:g}, floor {b:g}")
    return rows


def hyperfine_ms(results, pattern, programs):
    """program -> its wall times in ms, from hyperfine's files; commands are told apart by their program."""
    wall = {p: [] for p in programs}
    for path in sorted(glob.glob(os.path.join(results, pattern))):
        with open(path) as f:
            for result in json.load(f)["results"]:
                program = next(p for p in programs if re.search(rf"(^|/){re.escape(p)}( |$)", result["command"]))
                wall[program].extend(t * 1000 for t in result["times"])
    return wall


def startup_rows(results):
    programs = ("first_frame_calculator", "first_frame_bare_window")
    wall = hyperfine_ms(results, "wall-*.json", programs)
    instructions = {p: [] for p in programs}
    peak_mib = {p: [] for p in programs}
    for p in programs:
        for path in glob.glob(os.path.join(results, f"callgrind-{p}-*.out")):
            instructions[p].append(total_instructions(path))
        for path in glob.glob(os.path.join(results, f"peak-kib-{p}-*.txt")):
            with open(path) as f:
                peak_mib[p].append(int(f.read().split()[-1]) / 1024)

    rows = process_rows("Start-up", [wall[p] for p in programs], [instructions[p] for p in programs],
                        START_RATIO_TARGET, 1)
    (fig, fig_cv), (flo, flo_cv) = (median_and_cv(peak_mib[p]) for p in programs)
    rows.append(["Start-up peak memory", f"{fig:.1f} MiB", f"{flo:.1f} MiB", f"+{fig - flo:.1f} MiB", "-",
                 f"<= +{START_MEMORY_TARGET_MIB:.0f} MiB", verdict(fig - flo <= START_MEMORY_TARGET_MIB),
                 f"{fig_cv:.0%} / {flo_cv:.0%}"])
    return rows, {p: len(wall[p]) for p in programs}


def total_instructions(path):
    with open(path) as f:
        return [int(m.group(1)) for m in re.finditer(r"^(?:summary|totals): (\d+)", f.read(), re.M)][-1]


def process_rows(label, wall, instructions, target, digits):
    """Wall-time and instruction rows of a whole process against its floor's."""
    rows = []
    (fig, fig_cv), (flo, flo_cv) = (median_and_cv(times) for times in wall)
    rows.append([f"{label} wall time", f"{fig:.{digits}f} ms", f"{flo:.{digits}f} ms", f"{fig / flo:.3f}", "-",
                 f"<= {target:.2f}", verdict(fig / flo <= target), f"{fig_cv:.0%} / {flo_cv:.0%}"])
    (fig, fig_cv), (flo, flo_cv) = (median_and_cv(counts) for counts in instructions)
    rows.append([f"{label} instructions", f"{fig / 1e6:.{digits}f} M", f"{flo / 1e6:.{digits}f} M",
                 f"{fig / flo:.3f}", f"{fig / flo:.3f}", f"<= {target:.2f}", verdict(fig / flo <= target),
                 f"{fig_cv:.1%} / {flo_cv:.1%}"])
    return rows


def command_line_rows(results):
    """vorn-foe --foe against the floor that prints the row straight from SQLite."""
    programs = ("vorn-foe", "command_line_floor")
    wall = hyperfine_ms(results, "cli-wall-*.json", programs)
    instructions = {p: [total_instructions(path)
                        for path in glob.glob(os.path.join(results, f"callgrind-cli-{p}-*.out"))]
                    for p in programs}
    return process_rows("Answer --foe", [wall[p] for p in programs], [instructions[p] for p in programs],
                        ANSWER_RATIO_TARGET, 2)


def scale_rows(runs):
    rows = []
    for name, reps in runs.items():
        if name.startswith("Scale/"):
            bestiary, what = name[len("Scale/"):].split("/", 1)
            counted = next((f"{reps[0][c]:g} {c}" for c in ("names", "items") if c in reps[0]), "")
            rows.append([bestiary, what, show_time_us(median_and_cv(cpu_times_us(reps))[0]), counted])
    return rows


def print_table(header, rows):
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]
    line = lambda row: "  ".join(str(cell).ljust(width) for cell, width in zip(row, widths)).rstrip()
    print(line(header))
    print("  ".join("-" * width for width in widths))
    for row in rows:
        print(line(row))


def cpu_model():
    with open("/proc/cpuinfo") as f:
        return next((line.split(":", 1)[1].strip() for line in f if line.startswith("model name")), "unknown")


def main(results):
    context, pairs = repetitions(os.path.join(results, "pairs.json"))
    _, scale = repetitions(os.path.join(results, "scale.json"))
    notes = []
    rows = pair_rows(pairs, callgrind_dumps(results, "pairs-callgrind.out"), notes)
    start, wall_runs = startup_rows(results)
    answer = command_line_rows(results)
    repetition_count = max(len(r) for r in pairs.values())

    print(f"Machine: {os.cpu_count()} CPUs ({context.get('num_cpus')} seen by the benchmark), {cpu_model()}, "
          f"Qt {context.get('qt_version')}; load average at start {context.get('load_avg')}")
    print()
    print(f"Scale (median of {max(len(r) for r in scale.values())} repetitions, CPU time)")
    print_table(["bestiary", "what", "median", "count"], scale_rows(scale))
    print()
    print(f"Figures against floors: median of {repetition_count} interleaved repetitions (CPU time); "
          f"start-up wall time of {wall_runs['first_frame_calculator']} runs each. "
          "Ir ratio: the same ratio in instructions (callgrind). Verdict on the ratio. "
          "Noise: coefficient of variation, figure / floor.")
    for note in notes:
        print("NOTE:", note)
    print_table(["measure", "figure", "floor", "ratio", "Ir ratio", "target", "verdict", "noise"],
                rows + start + answer)


if __name__ == "__main__":
    main(sys.argv[1])
