/* Decodes a picture with stb_image to 24-bit RGB and discards it; built by
 * scripts/bench.sh only when stb_image.h is installed. */
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(argv[1], &width, &height, &channels, 3);
  if (!pixels) {
    fprintf(stderr, "%s\n", stbi_failure_reason());
    return 1;
  }
  stbi_image_free(pixels);
  return 0;
}
