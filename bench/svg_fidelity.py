#!/usr/bin/env python3
"""How close our drawing of SVG pictures is to a reference renderer (rsvg-convert).

Makes a hundred varied SVG files of its own (shapes, paths, strokes, transforms, opacity,
gradients, text, CSS, use, patterns, masks, filters), puts each on a white stage through a
card rendered by greetix-cli, draws frame 0, and compares it with rsvg-convert's picture
of the same file over white. Prints, per feature family and overall, the share of files
drawn alike (at most 2 % of pixels differing by more than 32 in a channel) and how many
went into the movie as shapes rather than as a picture.

    bench/svg_fidelity.py build/test/bin/greetix-cli [WORKDIR]

Needs rsvg-convert (librsvg2-bin) and ffmpeg (to read the pictures' pixels). Not a test."""
import os, random, subprocess, sys, tempfile

W, H = 120, 90

def families():
    r = random.Random(25)
    def col():
        return "#%02x%02x%02x" % (r.randrange(256), r.randrange(256), r.randrange(256))
    def shape():
        k = r.randrange(4)
        if k == 0:
            return f'<rect x="{r.randrange(60)}" y="{r.randrange(45)}" width="{r.randrange(10,60)}" height="{r.randrange(10,45)}" rx="{r.randrange(8)}" fill="{col()}"/>'
        if k == 1:
            return f'<circle cx="{r.randrange(20,100)}" cy="{r.randrange(20,70)}" r="{r.randrange(5,30)}" fill="{col()}"/>'
        if k == 2:
            return f'<ellipse cx="{r.randrange(20,100)}" cy="{r.randrange(20,70)}" rx="{r.randrange(5,40)}" ry="{r.randrange(5,30)}" fill="{col()}"/>'
        pts = " ".join(f"{r.randrange(W)},{r.randrange(H)}" for _ in range(r.randrange(3, 7)))
        return f'<polygon points="{pts}" fill="{col()}"/>'
    out = {}
    out["shapes"] = [shape() + shape() + shape() for _ in range(12)]
    out["paths"] = [f'<path d="M{r.randrange(W)} {r.randrange(H)} C {r.randrange(W)} {r.randrange(H)} {r.randrange(W)} {r.randrange(H)} {r.randrange(W)} {r.randrange(H)} Q {r.randrange(W)} {r.randrange(H)} {r.randrange(W)} {r.randrange(H)} A 20 15 {r.randrange(90)} 0 1 {r.randrange(W)} {r.randrange(H)} Z" fill="{col()}" fill-rule="{r.choice(["evenodd","nonzero"])}"/>' for _ in range(12)]
    out["strokes"] = [f'<polyline points="10,10 60,{r.randrange(80)} 110,20 80,80" fill="none" stroke="{col()}" stroke-width="{r.randrange(1,9)}" stroke-linejoin="{r.choice(["miter","round","bevel"])}" stroke-linecap="{r.choice(["butt","round","square"])}" stroke-dasharray="{r.choice(["none","6 3","2 2 8 2"])}"/>' for _ in range(12)]
    out["transforms"] = [f'<g transform="translate({r.randrange(40)} {r.randrange(30)}) rotate({r.randrange(90)}) scale({r.uniform(0.5,1.5):.2f}) skewX({r.randrange(-20,20)})">{shape()}{shape()}</g>' for _ in range(10)]
    out["opacity"] = [f'<g opacity="{r.uniform(0.3,0.9):.2f}">{shape()}</g><g fill-opacity="0.5">{shape()}</g>' for _ in range(8)]
    down = ' x2="0" y2="1"'
    out["gradients"] = [f'<defs><{g} id="g"{down if g == "linearGradient" and r.random() < 0.5 else ""}><stop offset="0" stop-color="{col()}"/><stop offset="{r.uniform(0.3,0.7):.2f}" stop-color="{col()}" stop-opacity="{r.uniform(0.4,1):.2f}"/><stop offset="1" stop-color="{col()}"/></{g}></defs><rect x="5" y="5" width="110" height="80" fill="url(#g)"/>' for g in ["linearGradient", "radialGradient"] * 6]
    out["text"] = [f'<text x="8" y="{r.randrange(30,80)}" font-family="DejaVu Sans" font-size="{r.randrange(14,30)}" fill="{col()}">Hello {i}</text>' for i in range(8)]
    out["css"] = [f'<style>.a{{fill:{col()}}} rect{{stroke:{col()};stroke-width:3}}</style><rect class="a" x="10" y="10" width="60" height="50"/><circle class="a" cx="90" cy="50" r="20"/>' for _ in range(8)]
    out["use"] = [f'<defs><g id="s">{shape()}</g></defs><use href="#s"/><use href="#s" x="{r.randrange(30)}" y="{r.randrange(20)}" opacity="0.6"/>' for _ in range(6)]
    out["patterns"] = [f'<defs><pattern id="p" width="{r.randrange(6,20)}" height="{r.randrange(6,20)}" patternUnits="userSpaceOnUse"><circle cx="4" cy="4" r="3" fill="{col()}"/></pattern></defs><rect width="{W}" height="{H}" fill="url(#p)"/>' for _ in range(4)]
    out["masks"] = [f'<defs><mask id="m"><rect width="{W}" height="{H}" fill="white"/><circle cx="60" cy="45" r="{r.randrange(10,40)}" fill="black"/></mask><clipPath id="c"><circle cx="60" cy="45" r="35"/></clipPath></defs><rect width="{W}" height="{H}" fill="{col()}" mask="url(#m)"/><rect x="30" width="60" height="{H}" fill="{col()}" clip-path="url(#c)"/>' for _ in range(4)]
    out["filters"] = [f'<defs><filter id="f"><feGaussianBlur stdDeviation="{r.randrange(1,5)}"/></filter></defs><g filter="url(#f)">{shape()}{shape()}</g>' for _ in range(6)]
    return out

def pixels(png):
    return subprocess.run(["ffmpeg", "-v", "quiet", "-i", png, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"],
                          check=True, capture_output=True).stdout

def card(svg, swf_dir):
    return ('<?xml version="1.0"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic>'
            f'<Width>{W}</Width><Height>{H}</Height><Rate>12</Rate><TotalFrames>2</TotalFrames><Times>0</Times>'
            '<FileSize>0</FileSize><MovieName></MovieName><Author></Author><Loop>true</Loop>'
            '<Obj><ObjName>Pic1</ObjName><StartTime>0</StartTime><EndTime>1</EndTime><Layer>2</Layer>'
            f'<ObjTypeName>Pic</ObjTypeName><ObjType><ObjPic><Content>{svg}</Content><PositionX>0</PositionX>'
            f'<PositionY>0</PositionY><Width>{W}</Width><Height>{H}</Height><EffectName>-- None --</EffectName>'
            '</ObjPic></ObjType></Obj></Movie>')

def main():
    cli = os.path.abspath(sys.argv[1])
    work = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="svg-fidelity-")
    os.makedirs(work, exist_ok=True)
    total = alike_total = vectors_total = 0
    for family, bodies in families().items():
        alike = vectors = 0
        for i, body in enumerate(bodies):
            name = os.path.join(work, f"{family}-{i}")
            with open(name + ".svg", "w") as f:
                f.write(f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="{W}" height="{H}">{body}</svg>')
            with open(name + ".grx", "w") as f:
                f.write(card(name + ".svg", work))
            subprocess.run(["rsvg-convert", "-b", "white", "-o", name + "-ref.png", name + ".svg"], check=True)
            subprocess.run([cli, "render", name + ".grx", "-o", name + ".swf"], check=True, capture_output=True)
            subprocess.run([cli, "frame", name + ".swf", "0", "-o", name + "-ours.png"], check=True, capture_output=True)
            info = subprocess.run([cli, "info", name + ".swf"], check=True, capture_output=True, text=True).stdout
            vectors += "DefineShape4" in info
            ref, ours = pixels(name + "-ref.png"), pixels(name + "-ours.png")
            off = sum(1 for p in range(0, min(len(ref), len(ours)), 3)
                      if max(abs(ref[p + c] - ours[p + c]) for c in range(3)) > 32)
            same = len(ref) == len(ours) and off <= 0.02 * W * H
            alike += same
        print(f"{family:11s} {alike:3d} of {len(bodies):3d} alike, {vectors:3d} as shapes")
        total += len(bodies)
        alike_total += alike
        vectors_total += vectors
    print(f"{'all':11s} {alike_total:3d} of {total:3d} alike ({100.0 * alike_total / total:.0f} %), {vectors_total} as shapes")

if __name__ == "__main__":
    main()
