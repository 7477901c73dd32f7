#!/usr/bin/python3
"""Prints a 17x17x17 grid of display values and Pillow's conversion of each to
sRGB (relative colorimetric) through the profile given, one "r g b  r g b" line
a value: the reference that the program's own transform is compared with."""
import sys

from PIL import Image, ImageCms

levels = [min(i * 16, 255) for i in range(17)]
grid = [(r, g, b) for r in levels for g in levels for b in levels]
display = Image.new("RGB", (len(grid), 1))
display.putdata(grid)
transform = ImageCms.buildTransform(ImageCms.getOpenProfile(sys.argv[1]), ImageCms.createProfile("sRGB"),
                                    "RGB", "RGB", renderingIntent=ImageCms.Intent.RELATIVE_COLORIMETRIC)
srgb = ImageCms.applyTransform(display, transform)
for source, converted in zip(grid, srgb.getdata()):
    print(*source, *converted)
