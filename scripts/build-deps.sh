#!/bin/sh
echo deps-todo
