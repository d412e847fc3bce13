#!/usr/bin/env python3
"""Writes the example dyad of Kivo's example study: two persons facing each other,
talking with their hands, 4 seconds at 30 frames per second.

Every marker is named after the input variable it serves, so that `kivo init`
binds them all by name. Poses come from a small skeleton moved by smooth
sinusoids (forward kinematics; orientation R = Rz * Ry * Rx, y up, cm and
degrees). Run it from anywhere; it writes dyad.A.csv and dyad.B.csv beside itself.
"""
import math
import os

FPS = 30
SECONDS = 4

# name, parent, offset from the parent in the parent's frame (cm)
SKELETON = [
    ("Hips", None, (0.0, 95.0, 0.0)),
    ("Chest", "Hips", (0.0, 25.0, 0.0)),
    ("Head", "Chest", (0.0, 30.0, 0.0)),
    ("Top", "Head", (0.0, 22.0, 0.0)),
    ("Chin", "Head", (0.0, -3.0, 9.0)),
    ("Nose", "Head", (0.0, 6.0, 11.0)),
    ("Ear R", "Head", (-8.0, 5.0, 0.0)),
    ("Ear L", "Head", (8.0, 5.0, 0.0)),
    ("Chest L", "Chest", (10.0, 12.0, 11.0)),
    ("Chest M", "Chest", (0.0, 14.0, 12.0)),
    ("Chest R", "Chest", (-10.0, 12.0, 11.0)),
    ("Arm L", "Chest", (18.0, 20.0, 0.0)),
    ("Elbow L", "Arm L", (0.0, -28.0, 0.0)),
    ("Hand L", "Elbow L", (0.0, -26.0, 0.0)),
    ("Hand L O", "Hand L", (3.0, -6.0, 0.0)),
    ("Hand L F", "Hand L", (0.0, -12.0, 1.0)),
    ("Hand L I", "Hand L", (-3.0, -6.0, 1.0)),
    ("Arm R", "Chest", (-18.0, 20.0, 0.0)),
    ("Elbow R", "Arm R", (0.0, -28.0, 0.0)),
    ("Hand R", "Elbow R", (0.0, -26.0, 0.0)),
    ("Hand R O", "Hand R", (-3.0, -6.0, 0.0)),
    ("Hand R F", "Hand R", (0.0, -12.0, 1.0)),
    ("Hand R I", "Hand R", (3.0, -6.0, 1.0)),
    ("Hips L", "Hips", (12.0, 2.0, 8.0)),
    ("Hips M", "Hips", (0.0, 0.0, -11.0)),
    ("Hips R", "Hips", (-12.0, 2.0, 8.0)),
    ("Leg L", "Hips", (9.0, -6.0, 0.0)),
    ("Knee L", "Leg L", (0.0, -45.0, 0.0)),
    ("Foot L", "Knee L", (0.0, -43.0, 0.0)),
    ("Leg R", "Hips", (-9.0, -6.0, 0.0)),
    ("Knee R", "Leg R", (0.0, -45.0, 0.0)),
    ("Foot R", "Knee R", (0.0, -43.0, 0.0)),
    ("Bottom", "Hips", (0.0, -95.0, 0.0)),
]


def rot(axis, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    if axis == "x":
        return [[1, 0, 0], [0, c, -s], [0, s, c]]
    if axis == "y":
        return [[c, 0, s], [0, 1, 0], [-s, 0, c]]
    return [[c, -s, 0], [s, c, 0], [0, 0, 1]]


def mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def apply(m, v):
    return tuple(sum(m[i][k] * v[k] for k in range(3)) for i in range(3))


def euler(rx, ry, rz):
    return mul(rot("z", rz), mul(rot("y", ry), rot("x", rx)))


def angles_of(m):
    """Angles (rx, ry, rz) in degrees with m = Rz * Ry * Rx."""
    ry = math.degrees(math.asin(max(-1.0, min(1.0, -m[2][0]))))
    rx = math.degrees(math.atan2(m[2][1], m[2][2]))
    rz = math.degrees(math.atan2(m[1][0], m[0][0]))
    return rx, ry, rz


def local_angles(name, t, phase):
    """Joint rotation (rx, ry, rz) relative to the parent at time t."""
    w = 2 * math.pi * t
    if name == "Hips":
        return (0.0, 8 * math.sin(0.25 * w + phase), 2 * math.sin(0.5 * w + phase))
    if name == "Chest":
        return (6 + 4 * math.sin(0.5 * w + phase), 5 * math.sin(0.3 * w), 0.0)
    if name == "Head":
        return (8 * math.sin(0.8 * w + phase), 25 * math.sin(0.35 * w + phase), 4 * math.sin(w))
    if name == "Arm L":
        return (-35 - 25 * math.sin(0.9 * w + phase), 0.0, 12 + 6 * math.sin(0.9 * w))
    if name == "Elbow L":
        return (-40 - 30 * math.sin(0.9 * w + phase + 0.5), 0.0, 0.0)
    if name == "Arm R":
        return (-20 - 15 * math.sin(0.6 * w + phase + 1.0), 0.0, -10.0)
    if name == "Elbow R":
        return (-55 - 20 * math.sin(0.6 * w + phase + 1.5), 0.0, 0.0)
    if name in ("Hand L", "Hand R"):
        return (10 * math.sin(1.5 * w + phase), 15 * math.sin(1.2 * w), 0.0)
    if name in ("Leg L", "Leg R"):
        sign = 1 if name == "Leg L" else -1
        return (8 * sign * math.sin(0.25 * w + phase), 4 * math.sin(0.5 * w), 3 * sign)
    if name in ("Knee L", "Knee R"):
        return (6 + 6 * math.sin(0.5 * w + phase), 0.0, 0.0)
    return (0.0, 0.0, 0.0)


def frame(t, root_position, root_turn, phase):
    poses = {}
    for name, parent, offset in SKELETON:
        local = euler(*local_angles(name, t, phase))
        if parent is None:
            orientation = mul(rot("y", root_turn), local)
            # weight shift from one foot to the other
            sway = (4.0 * math.sin(0.5 * math.pi * t + phase), 1.5 * math.sin(math.pi * t), 0.0)
            sway = apply(rot("y", root_turn), sway)
            position = tuple(root_position[i] + offset[i] + sway[i] for i in range(3))
        else:
            parent_position, parent_orientation = poses[parent]
            orientation = mul(parent_orientation, local)
            moved = apply(parent_orientation, offset)
            position = tuple(parent_position[i] + moved[i] for i in range(3))
        poses[name] = (position, orientation)
    return poses


def write(path, person, root_position, root_turn, phase):
    names = [name for name, _, _ in SKELETON]
    fields = ["Time", "Frame"]
    for name in names:
        fields += [f"{person}:{name}:{c}" for c in ("Tx", "Ty", "Tz", "Rx", "Ry", "Rz")]
    with open(path, "w", newline="") as out:
        out.write(f"Kivo example dyad, person {person}; units cm and degrees; R = Rz*Ry*Rx\r\n")
        out.write(";".join(fields) + "\r\n")
        for i in range(FPS * SECONDS):
            t = i / FPS
            poses = frame(t, root_position, root_turn, phase)
            values = [f"{t:.6f}", str(i + 1)]
            for name in names:
                position, orientation = poses[name]
                values += [f"{v:.4f}" for v in position]
                values += [f"{v:.4f}" for v in angles_of(orientation)]
            out.write(";".join(values) + "\r\n")


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    write(os.path.join(folder, "dyad.A.csv"), "A", (0.0, 0.0, 0.0), 0.0, 0.0)
    write(os.path.join(folder, "dyad.B.csv"), "B", (10.0, 0.0, 130.0), 180.0, 1.3)


if __name__ == "__main__":
    main()
