/* Decodes every frame of a GIF with Debian's giflib and discards the pixels:
 * the reference for the GIF reader's throughput in scripts/bench.sh. */
#include <gif_lib.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: giflib-decode FILE.gif\n");
    return 2;
  }
  int error = 0;
  GifFileType* gif = DGifOpenFileName(argv[1], &error);
  if (!gif) {
    fprintf(stderr, "%s\n", GifErrorString(error));
    return 1;
  }
  if (DGifSlurp(gif) != GIF_OK) {
    fprintf(stderr, "%s\n", GifErrorString(gif->Error));
    DGifCloseFile(gif, &error);
    return 1;
  }
  long long pixels = 0;
  for (int i = 0; i < gif->ImageCount; ++i) {
    pixels += (long long)gif->SavedImages[i].ImageDesc.Width * gif->SavedImages[i].ImageDesc.Height;
  }
  DGifCloseFile(gif, &error);
  return pixels > 0 ? 0 : 1;
}
