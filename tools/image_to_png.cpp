// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Decodes an image with Qt's own readers, its image-format plugins included,
// and writes the pixels as PNG: the form in which the Qt programs carry their
// images, which Qt reads without loading any plugin.
//
// usage: image_to_png INPUT OUTPUT.png
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: image_to_png INPUT OUTPUT.png\n", stderr);
    return 2;
  }
  QImageReader reader(QString::fromLocal8Bit(argv[1]));
  const QImage image = reader.read();
  if (image.isNull()) {
    std::fprintf(stderr, "image_to_png: cannot read %s: %s\n", argv[1],
                 qPrintable(reader.errorString()));
    return 1;
  }
  QImageWriter writer(QString::fromLocal8Bit(argv[2]), "png");
  if (!writer.write(image)) {
    std::fprintf(stderr, "image_to_png: cannot write %s: %s\n", argv[2],
                 qPrintable(writer.errorString()));
    return 1;
  }
  return 0;
}
